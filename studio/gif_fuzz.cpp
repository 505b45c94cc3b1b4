// Any bytes through the GIF reader; whatever it accepts must be a whole picture that the writer
// can write again.
#include <cstdint>
#include <cstdlib>

#include "studio/gif_reader.h"
#include "studio/gif_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vt::GifPicture pic;
    if (vt::ParseGif({data, size}, &pic) != vt::GifReadError::None) return 0;
    const size_t pixels = static_cast<size_t>(pic.width) * pic.height;
    if (pic.indices.size() != pixels || pic.masked.size() != pixels) std::abort();
    vt::GifSource source;
    source.width = pic.width;
    source.height = pic.height;
    source.colourCode = 256;
    source.table.assign(pic.table.begin(), pic.table.end());
    source.indices = pic.indices;
    source.masked = pic.masked;
    vt::ScriptedPrompt prompt;
    std::vector<uint8_t> again;
    if (vt::EncodeGif(source, false, prompt, &again) != vt::GifWriteStatus::Ok) return 0;
    vt::GifPicture back;
    if (vt::ParseGif(again, &back) != vt::GifReadError::None) std::abort();
    return 0;
}
