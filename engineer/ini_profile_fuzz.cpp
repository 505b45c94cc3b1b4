// Profile files come from anywhere (Motifs and theme files are shared): parsing, looking up and
// rewriting any bytes must be safe.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engineer/ini_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    auto doc = vt::IniDocument::Parse(text);
    doc.FindEntry("Control Panel\\Cursors", "Wait");
    doc.FindEntry("Software Credits", "Software");
    auto again = vt::IniDocument::Parse(doc.Serialize());
    again.FindEntry("", "");
    return 0;
}
