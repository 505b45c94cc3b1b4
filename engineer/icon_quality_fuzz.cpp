// The quality check walks the directory, headers and masks of any file the user picks.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engineer/icon_quality.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    vt::QualityReport report;
    vt::InspectIconFile(bytes, &report);
    vt::LoadQualitySettings(bytes);
    return 0;
}
