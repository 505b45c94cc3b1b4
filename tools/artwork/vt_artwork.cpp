// Writes the editors' artwork resources into a folder: program.ico (the Studio's icon 50),
// cursorNN.cur for each of kCursorIds, toolbar.bmp and toolbox.bmp (16 x 16 images side by side,
// pure green for the button face), the Librarian's with "librarian", the Engineer's with
// "engineer", and the Animator's animator.ico, anitoolbar.bmp, play.bmp and stop.bmp. Run at build time; the images are drawn in
// glyphs.cpp with our own image model
// and written with its icon file writer.
#include <cstdio>
#include <string>
#include <vector>

#include "common/byte_writer.h"
#include "common/file_io.h"
#include "image/ico_file.h"
#include "tools/artwork/engineer_glyphs.h"
#include "tools/artwork/glyphs.h"

namespace vt::art {
namespace {

constexpr uint32_t kStandard16[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                      0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                      0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};  // 0x00RRGGBB

IconImage ImageOf(const Raster& r, int32_t code) {
    IconImage img;
    img.width = r.width();
    img.height = r.height();
    img.colorCode = code;
    img.AllocateBlock();
    const uint32_t entries = img.TableEntries();
    for (uint32_t i = 0; i < entries; ++i) {
        const uint32_t rgb = code == kMonochrome ? (i ? 0xFFFFFF : 0) : kStandard16[i];
        img.SetTableColor(i, SwapRedBlue(rgb));
    }
    const uint32_t white = code == kMonochrome ? 1 : 15;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x) {
            const int8_t c = r.At(x, y);
            if (c == kClear) {
                img.SetAndBit(x, y, true);
                img.SetXorValue(x, y, 0);
            } else if (c == kInverse) {
                img.SetAndBit(x, y, true);
                img.SetXorValue(x, y, white);
            } else {
                img.SetAndBit(x, y, false);
                img.SetXorValue(x, y, code == kMonochrome ? (c == kBlack ? 0 : 1) : static_cast<uint32_t>(c));
            }
        }
    return img;
}

bool WriteIco(const std::string& path, int type, std::vector<IconImage> images) {
    IconResource doc;
    doc.resourceType = type;
    doc.images = std::move(images);
    std::vector<uint8_t> bytes;
    return EncodeIcoFile(doc, &bytes) && WriteFileReplacing(path, "ART", bytes);
}

// A 4-bit bottom-up BMP of the glyphs side by side; clear pixels become pure green.
bool WriteStrip(const std::string& path, const std::vector<Raster>& glyphs) {
    const int w = 16 * static_cast<int>(glyphs.size()), h = 16;
    const uint32_t stride = ((static_cast<uint32_t>(w) * 4 + 31) / 32) * 4;
    ByteWriter out;
    out.U16(0x4D42);
    out.U32(14 + 40 + 64 + stride * h);
    out.U32(0);
    out.U32(14 + 40 + 64);
    out.U32(40);
    out.I32(w);
    out.I32(h);
    out.U16(1);
    out.U16(4);
    out.U32(0);
    out.U32(stride * h);
    out.U32(0);
    out.U32(0);
    out.U32(16);
    out.U32(0);
    for (uint32_t rgb : kStandard16) out.U32(rgb);  // blue, green, red, 0 as little-endian bytes
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < w; ++x) {
            int8_t c = glyphs[static_cast<size_t>(x / 16)].At(x % 16, y);
            if (c < 0) c = kLime;
            row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? c : c << 4);
        }
        out.Bytes(row);
    }
    return WriteFileReplacing(path, "ART", out.bytes());
}

// The Librarian's: program.ico, stack.ico and toolbar.bmp.
int RunLibrarian(const std::string& dir) {
    std::vector<IconImage> icon;
    icon.push_back(ImageOf(LibrarianIcon(16), kColors16));
    icon.push_back(ImageOf(LibrarianIcon(32), kColors16));
    bool ok = WriteIco(dir + "/program.ico", kIconResource, std::move(icon));
    std::vector<IconImage> stack;
    stack.push_back(ImageOf(StackIcon(), kColors16));
    ok = WriteIco(dir + "/stack.ico", kIconResource, std::move(stack)) && ok;
    ok = WriteStrip(dir + "/toolbar.bmp", LibrarianToolBarGlyphs()) && ok;
    if (!ok) std::fprintf(stderr, "vt_artwork: could not write the artwork into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

// The Engineer's: program.ico, mark52.ico and mark53.ico (the change marks of the list rows) and
// standard70.ico .. standard84.ico (the standard cursors' pictures).
int RunEngineer(const std::string& dir) {
    std::vector<IconImage> icon;
    icon.push_back(ImageOf(EngineerIcon(16), kColors16));
    icon.push_back(ImageOf(EngineerIcon(32), kColors16));
    bool ok = WriteIco(dir + "/program.ico", kIconResource, std::move(icon));
    for (const bool included : {true, false}) {
        std::vector<IconImage> mark;
        mark.push_back(ImageOf(ChangeMark(included), kColors16));
        ok = WriteIco(dir + (included ? "/mark52.ico" : "/mark53.ico"), kIconResource, std::move(mark)) && ok;
    }
    for (int i = 0; i < kStandardCursorArtCount; ++i) {
        std::vector<IconImage> one;
        one.push_back(ImageOf(StandardCursorPicture(i), kColors16));
        ok = WriteIco(dir + "/standard" + std::to_string(70 + i) + ".ico", kIconResource, std::move(one)) && ok;
    }
    if (!ok) std::fprintf(stderr, "vt_artwork: could not write the artwork into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

int Run(const std::string& dir) {
    std::vector<IconImage> icon;
    icon.push_back(ImageOf(ProgramIcon(16), kColors16));
    icon.push_back(ImageOf(ProgramIcon(32), kColors16));
    bool ok = WriteIco(dir + "/program.ico", kIconResource, std::move(icon));
    for (const int id : kCursorIds) {
        const CursorArt c = ToolCursor(id);
        IconImage img = ImageOf(c.image, kMonochrome);
        img.hotSpotX = static_cast<uint32_t>(c.hotX);
        img.hotSpotY = static_cast<uint32_t>(c.hotY);
        std::vector<IconImage> one;
        one.push_back(std::move(img));
        ok = WriteIco(dir + "/cursor" + std::to_string(id) + ".cur", kCursorResource, std::move(one)) && ok;
    }
    ok = WriteStrip(dir + "/toolbar.bmp", ToolBarGlyphs()) && ok;
    ok = WriteStrip(dir + "/toolbox.bmp", ToolBoxGlyphs()) && ok;
    std::vector<IconImage> animator;
    animator.push_back(ImageOf(AnimatorIcon(16), kColors16));
    animator.push_back(ImageOf(AnimatorIcon(32), kColors16));
    ok = WriteIco(dir + "/animator.ico", kIconResource, std::move(animator)) && ok;
    ok = WriteStrip(dir + "/anitoolbar.bmp", AnimatorToolBarGlyphs()) && ok;
    ok = WriteStrip(dir + "/play.bmp", {PlayGlyph()}) && ok;
    ok = WriteStrip(dir + "/stop.bmp", {StopGlyph()}) && ok;
    if (!ok) std::fprintf(stderr, "vt_artwork: could not write the artwork into %s\n", dir.c_str());
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace vt::art

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[2]) == "librarian") return vt::art::RunLibrarian(argv[1]);
    if (argc == 3 && std::string(argv[2]) == "engineer") return vt::art::RunEngineer(argv[1]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vt_artwork <output folder> [librarian|engineer]\n");
        return 2;
    }
    return vt::art::Run(argv[1]);
}
