#pragma once
// Fixtures for the image tests: a host with a known palette and documents drawn in code.

#include <cstdint>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "image/icon_resource.h"

namespace vt::test {

// A palette with black at 0 and 254 and white at 255, the rest a ramp of distinct colours.
ColorValues256 TestPalette();
// A host whose palette loads (or, with paletteLoads false, fails) and whose prompt is `prompt`.
ImageHost TestHost(ScriptedPrompt* prompt, bool paletteLoads = true);

// Adds an image of the format to the document and draws a pattern into it that uses colours,
// screen and inverse pixels; the image counts as drawn on.
IconImage& AddDrawnImage(IconResource& doc, ImageHost& host, int32_t w, int32_t h, int32_t code,
                         uint32_t seed = 1);
// A document of several formats of every depth, drawn on.
IconResource SampleDocument(int type = kIconResource);

// The pixel as a colour an outside tool shows: 0xAARRGGBB with alpha 0 for screen pixels.
uint32_t VisiblePixel(const IconImage& img, int32_t x, int32_t y);

// A folder under the system's temporary folder, removed with its files at the end of the test.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vt::test
