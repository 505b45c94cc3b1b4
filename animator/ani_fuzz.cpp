// The animated cursor reader on hostile bytes. Whatever it accepts must be an animation the writer
// can write and the reader take back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "animator/ani_file.h"
#include "animator/animation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vt;
    AniContents c;
    int display = size > 0 && (data[0] & 1) ? 256 : 1024;
    if (!ParseAni({data, size}, display, &c).ok()) return 0;

    // The frames made from what was accepted must hold their images.
    ImageHost host;
    Animation animation(host);
    if (!animation.Read({data, size}, display) || animation.frameCount() != c.steps.size())
        std::abort();
    for (const Frame& f : animation.frames())
        if (!f.image().HasBits() || f.image().width != 32 || f.image().height != 32) std::abort();

    std::vector<AniFrameImage> frames;
    for (const AniStep& s : c.steps) {
        if (s.image >= c.images.size()) std::abort();
        const AniImage& image = c.images[s.image];
        frames.push_back({s.time, image.hotX, image.hotY, image.block});
    }
    std::vector<uint8_t> again = BuildAni(c.header, c.title, c.author, frames);
    AniContents back;
    if (!ParseAni(again, display, &back).ok() || back.steps.size() != c.steps.size() ||
        back.title != c.title || back.author != c.author)
        std::abort();
    for (size_t i = 0; i < c.steps.size(); ++i) {
        if (back.steps[i].time != c.steps[i].time ||
            back.images[back.steps[i].image].block != c.images[c.steps[i].image].block)
            std::abort();
    }
    return 0;
}
