#pragma once
// The exchange of a Librarian that is part of the suite: edit sessions with the Studio over
// window-message DDE, and Install to System through the installer library.

#include <memory>

#include "librarian/win32/librarian_exchange.h"

namespace vt::librarian {

std::unique_ptr<LibrarianExchange> CreateSuiteExchange();

}  // namespace vt::librarian
