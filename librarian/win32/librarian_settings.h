#pragma once
// The Librarian's settings in the suite's store: "State" under "Persistent" and the recent files
// under "MRU List", both read as untrusted input.

namespace vt::librarian {

void LoadSettings();
void StoreSettings();

}  // namespace vt::librarian
