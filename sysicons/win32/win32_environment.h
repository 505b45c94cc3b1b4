#pragma once
// Reads the raw environment facts from the running system.

#include "sysicons/environment.h"
#include "sysicons/registry.h"

namespace vt {

// False when "SHELL32.DLL" has no version block (the programs then stop at start-up).
bool DetectRawEnvironment(Registry& registry, RawEnvironment* out);

}  // namespace vt
