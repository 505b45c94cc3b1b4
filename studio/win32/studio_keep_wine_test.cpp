// Nothing the user did not change is lost on save: an icon as current tools make it (nine bitmap
// images and a 256 x 256 PNG image, here one of Wine's own shell icons) opened in the Studio,
// one image edited and saved, keeps every other image byte for byte.
#include <gtest/gtest.h>

#include "common/byte_reader.h"
#include "draw/command_ids.h"
#include "studio/win32/resource.h"
#include "studio/win32/resource_edit.h"
#include "studio/win32/studio_wine_testutil.h"

namespace vt::test {
namespace {

// An icon group of a module as an icon file, the way resource extractors write one: the group's
// entries with offsets in place of resource ids, and the images in entry order after them.
std::vector<uint8_t> IconFileFromGroup(HMODULE module, LPCSTR group) {
    std::vector<uint8_t> file;
    HRSRC g = FindResourceA(module, group, MAKEINTRESOURCEA(14));
    if (!g) return file;
    const auto* dir = static_cast<const uint8_t*>(LockResource(LoadResource(module, g)));
    const DWORD dirSize = SizeofResource(module, g);
    if (!dir || dirSize < 6) return file;
    const uint16_t count = LoadLE16(dir + 4);
    if (dirSize < 6 + 14u * count) return file;
    std::vector<std::vector<uint8_t>> images;
    for (uint16_t i = 0; i < count; ++i) {
        const uint16_t id = LoadLE16(dir + 6 + 14 * i + 12);
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
        if (!r) return {};
        const auto* p = static_cast<const uint8_t*>(LockResource(LoadResource(module, r)));
        images.emplace_back(p, p + SizeofResource(module, r));
    }
    file.assign(dir, dir + 6);
    uint32_t offset = 6 + 16u * count;
    for (uint16_t i = 0; i < count; ++i) {
        const uint8_t* e = dir + 6 + 14 * i;
        file.insert(file.end(), e, e + 8);
        uint8_t tail[8];
        StoreLE32(tail, static_cast<uint32_t>(images[i].size()));
        StoreLE32(tail + 4, offset);
        file.insert(file.end(), tail, tail + 8);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& img : images) file.insert(file.end(), img.begin(), img.end());
    return file;
}

BOOL CALLBACK FirstGroup(HMODULE, LPCSTR, LPSTR name, LONG_PTR out) {
    auto* found = reinterpret_cast<std::string*>(out);
    if (IS_INTRESOURCE(name)) {
        char number[16];
        wsprintfA(number, "#%u", static_cast<unsigned>(reinterpret_cast<uintptr_t>(name)));
        *found = number;
    } else {
        *found = name;
    }
    return FALSE;
}

struct EntryBytes {
    std::vector<uint8_t> entry;  // without the offset
    std::vector<uint8_t> data;
    bool operator==(const EntryBytes&) const = default;
};
std::vector<EntryBytes> Entries(const std::vector<uint8_t>& file) {
    std::vector<EntryBytes> out;
    if (file.size() < 6) return out;
    const uint16_t count = LoadLE16(file.data() + 4);
    for (size_t i = 0; i < count && 6 + 16 * (i + 1) <= file.size(); ++i) {
        const uint8_t* e = file.data() + 6 + 16 * i;
        const uint32_t size = LoadLE32(e + 8), offset = LoadLE32(e + 12);
        if (size_t{offset} + size > file.size()) break;
        out.push_back({std::vector<uint8_t>(e, e + 12),
                       std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + size)});
    }
    return out;
}

bool IsPng(const std::vector<uint8_t>& d) {
    return d.size() > 8 && d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G';
}

TEST(StudioKeepsImages, EditingOneImageOfAModernIconKeepsEveryOtherByteForByte) {
    HMODULE shell = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(shell, nullptr);
    std::string group;
    EnumResourceNamesA(shell, MAKEINTRESOURCEA(14), FirstGroup, reinterpret_cast<LONG_PTR>(&group));
    ASSERT_FALSE(group.empty());
    const std::vector<uint8_t> original = IconFileFromGroup(shell, group.c_str());
    FreeLibrary(shell);
    const std::vector<EntryBytes> before = Entries(original);
    ASSERT_EQ(before.size(), 10u);
    size_t pngs = 0;
    for (const EntryBytes& e : before) pngs += IsPng(e.data) ? 1 : 0;
    ASSERT_EQ(pngs, 1u) << "the icon holds nine bitmap images and one PNG image";

    ResetEditorSettings();
    const std::string path = ScratchDir("keep") + "\\shell.ico";
    {
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(f, original.data(), static_cast<DWORD>(original.size()), &written, nullptr);
        CloseHandle(f);
        ASSERT_EQ(written, original.size());
    }
    Program studio;
    ASSERT_TRUE(studio.Start("VTEDIT.EXE", path));
    // Told once, at open, which image is kept but cannot be edited: every message the open
    // shows is answered and collected until the frame appears.
    std::vector<std::string> told;
    HWND frame = nullptr;
    WaitUntil(
        [&] {
            if (HWND box = FindWindowA("#32770", "Vantoro Studio")) {
                const std::string text = AllChildTexts(box);
                if (text.find("OK") == std::string::npos) return false;  // still being made
                told.push_back(text);
                SendMessageTimeoutA(box, WM_COMMAND, IDOK, 0, SMTO_NORMAL, 5000, nullptr);
                WaitUntil([&] { return !IsWindow(box); }, 5000, "the message to close");
            }
            frame = studio.FindWindowOfClass("ICSFrame");
            return frame && IsWindowVisible(frame);
        },
        20000, "the Studio to open the icon");
    // Other messages may follow (a palette without white warns when its image is activated).
    std::vector<std::string> kept;
    for (const std::string& t : told)
        if (t.find("cannot edit") != std::string::npos) kept.push_back(t);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].find("256x256, PNG compressed"), std::string::npos) << kept[0];
    ASSERT_NE(frame, nullptr);
    HWND palette = studio.WaitForWindow("ICSPAlette");
    ASSERT_NE(palette, nullptr);

    // Icon Properties lists the PNG image among the others, as kept and not editable.
    ASSERT_TRUE(PostCommand(frame, IDM_VIEW_PROPERTIES));
    HWND dlg = studio.WaitForWindowTitled("Icon Properties");
    ASSERT_NE(dlg, nullptr);
    std::string others;
    for (int id = IDC_PROP_OTHER_FIRST; id <= IDC_PROP_OTHER_LAST; ++id)
        others += ControlText(dlg, id) + "|";
    EXPECT_NE(others.find("256x256, kept (not editable)"), std::string::npos) << others;
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }, 5000, "Icon Properties to close"));

    // Choose the 32 x 32 256-colour image and draw on it.
    HWND list = GetDlgItem(frame, IDC_FORMAT_LIST);
    ASSERT_NE(list, nullptr);
    const LRESULT item = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>("32x32, 256 colors"));
    ASSERT_NE(item, LB_ERR);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    DWORD_PTR r = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(IDC_FORMAT_LIST, LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(list), SMTO_NORMAL, 5000, &r));
    EditorGrid grid(frame, 32, 32);
    ASSERT_TRUE(SendCommand(frame, kToolPencil));
    ClickPaletteIndex(palette, kColors256, 1);
    grid.Stroke({{3, 4}, {4, 4}});
    ClickPaletteIndex(palette, kColors256, 2);
    grid.Stroke({{5, 4}});
    ASSERT_TRUE(SendCommand(frame, IDM_FILE_SAVE));
    EXPECT_TRUE(MenuItemState(frame, IDM_FILE_SAVE) & MF_GRAYED);

    const std::vector<uint8_t> saved = ReadFileBytes(path);
    const std::vector<EntryBytes> after = Entries(saved);
    ASSERT_EQ(after.size(), 10u);
    size_t differing = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i]) continue;
        ++differing;
        // Only the 32 x 32 8-bit image may differ, in its place.
        EXPECT_EQ(before[i].entry[0], 32) << i;
        EXPECT_EQ(LoadLE16(before[i].entry.data() + 6), 8) << i;
    }
    EXPECT_LE(differing, 1u);
    const IconResource doc = ReadIconFileBack(path);
    const int pos = FindImage(doc, 32, 32, kColors256);
    ASSERT_NE(pos, 0);
    const IconImage& img = doc.images[static_cast<size_t>(pos - 1)];
    EXPECT_EQ(img.XorValue(3, 4), 1u);
    EXPECT_EQ(img.XorValue(4, 4), 1u);
    EXPECT_EQ(img.XorValue(5, 4), 2u);
    EXPECT_FALSE(img.AndBit(3, 4));
    EXPECT_EQ(CloseDiscarding(studio, frame), 0);
}

}  // namespace
}  // namespace vt::test
