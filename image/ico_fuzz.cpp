// Feeds arbitrary bytes to the icon and cursor reader. Whatever it accepts must also survive our
// writer and read back to the same images.
#include <cstddef>
#include <cstdint>

#include "image/ico_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vt::MemorySource source(std::span<const uint8_t>(data, size));
    vt::IconResource doc;
    vt::ImageHost host;
    if (vt::DecodeIcoFile(source, doc, host) != vt::IcoStatus::Ok) return 0;
    for (const vt::IconImage& img : doc.images)
        if (img.block.size() != img.BlockBytes()) __builtin_trap();

    std::vector<uint8_t> written;
    if (!vt::EncodeIcoFile(doc, &written)) __builtin_trap();
    vt::MemorySource again(written);
    vt::IconResource back;
    if (vt::DecodeIcoFile(again, back, host) != vt::IcoStatus::Ok) __builtin_trap();
    if (back.images.size() != doc.images.size()) __builtin_trap();
    for (size_t i = 0; i < doc.images.size(); ++i) {
        if (back.images[i].block != doc.images[i].block) __builtin_trap();
        if (back.images[i].hotSpotX != doc.images[i].hotSpotX) __builtin_trap();
    }
    return 0;
}
