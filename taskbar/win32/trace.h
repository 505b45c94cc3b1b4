#pragma once
// Trace lines for a debugging window: a dialog titled "traceout" receives each line by
// WM_COPYDATA. Without that window nothing is sent.

namespace vt {

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vt
