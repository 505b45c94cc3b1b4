// The library/program reader: icon groups first, then the images they name, linked by number.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <unordered_map>

#include "common/byte_reader.h"
#include "librarian/file_kind.h"
#include "librarian/format_entry_io.h"
#include "librarian/image_block.h"
#include "librarian/module_resources.h"
#include "librarian/reader.h"

namespace vt {

const char* const kHeaderCorrectionQuestion =
    "Although this file contains icons, the file header is in error.  This error may prevent "
    "Windows 95 "
    "from being able to read the icons it contains.\n\nWould you like to correct this error?";

std::string CascadeMessage(const std::string& currentFolder, const std::string& path) {
    return Format(
        "An error was encountered reading a file that exceeds the cascade limits of Vantoro.  "
        "Kelvane "
        "Software would like to examine this file, if possible.\n\nCurrent Directory: "
        "%s\n\nFilename=%s\n\n"
        "Press OK to continue.",
        currentFolder.c_str(), path.c_str());
}

namespace {

constexpr size_t kGroupRead =
    6 + kGroupEntrySize * 20;  // 286 bytes: a group holds at most 20 formats
constexpr uint32_t kMaxSerial = 0x7FFF;
// Numbered names of icons read from a library or program file, and of icons added by a drop. The
// "0" flag belongs to the names' pattern; with a precision printf ignores it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat"
const char* const kReadIconName = "%.20s %0.3d";
const char* const kAddedIconName = "%.24s %0.3d";
#pragma GCC diagnostic pop
constexpr uint8_t kIclModuleName[4] = {3, 'I', 'C', 'L'};

struct ModuleRead {
    bool adding = false;
    int x = 0, y = 0;
    ReadOptions options;
};

// Names stored by the Librarian's own libraries: after the module name 03 "ICL", one
// length-prefixed string per icon in reading order.
void ApplyStoredNames(CachedFile& file, const ModuleResources& res, Workspace& ws,
                      size_t firstIcon) {
    uint64_t at = res.headerOffset + res.residentNameOffset;
    uint8_t module[4];
    if (!file.ReadAt(at, module, 4) || std::memcmp(module, kIclModuleName, 4) != 0) return;
    at += 4;
    for (size_t i = firstIcon; i < ws.icons().size(); ++i) {
        uint8_t length;
        if (!file.ReadAt(at, &length, 1) || length == 0) return;
        char text[256];
        if (!file.ReadAt(at + 1, text, length)) return;
        at += 1 + length;
        IconEntry& icon = ws.icons()[i];
        if (length == 1 && text[0] == 0x03)
            Workspace::SetDisplayName(&icon, kUntitledName);
        else if (length <= kMaxDisplayName)
            Workspace::SetDisplayName(&icon, std::string(text, length));
    }
}

// A 16-bit library whose target-system byte is 0 may be unreadable to the system; with the user's
// consent the byte is set to 2 (Windows). It is written at the header's own field, which is file
// offset 182 in the Librarian's libraries, and only if it still reads 0.
void OfferHeaderCorrection(const std::string& path, const ModuleResources& res, Prompt& prompt) {
    PromptMessage m{kHeaderCorrectionQuestion, {},   PromptIcon::Exclamation,
                    PromptButtons::YesNo,      true, 0};
    if (prompt.Show(m) != PromptAnswer::Yes) return;
    UpdateFile file;
    if (!file.Open(path)) return;
    uint64_t at = res.headerOffset + 0x36;
    uint8_t byte = 0xFF;
    if (file.ReadAt(at, &byte, 1) && byte == 0) {
        const uint8_t two = 2;
        file.WriteAt(at, std::span<const uint8_t>(&two, 1));
    }
    file.Close();
}

LibStatus ReadModule(Workspace& ws, const std::string& path, const ModuleRead& how) {
    CachedFile file;
    if (!file.Open(path)) return LibStatus::CannotOpen;
    ModuleResources res;
    LibStatus st = WalkModuleResources(file, &res);
    if (st == LibStatus::Cascade && how.options.prompt) {
        std::error_code ec;
        std::string cwd = std::filesystem::current_path(ec).string();
        how.options.prompt->Tell(CascadeMessage(cwd, path), PromptIcon::Stop);
    }
    if (st != LibStatus::Ok) return st;
    if (res.groups.empty()) return LibStatus::NoIcons;
    if (ws.nextSerial() + res.groups.size() > kMaxSerial) return LibStatus::OutOfMemory;

    const Workspace::Checkpoint checkpoint = ws.Save();
    auto fail = [&](LibStatus s) {
        ws.Restore(checkpoint);
        return s;
    };
    const std::string title = FileTitle(path);
    const size_t firstIcon = ws.icons().size();
    const size_t firstFormat = ws.formats().size();

    // Groups: one icon each, its format entries waiting to be linked. The waiting entries are
    // indexed by the image number they ask for, in reading order, so each image finds the first
    // one without a scan of them all.
    struct Waiting {
        std::vector<size_t> entries;
        size_t next = 0;
    };
    std::unordered_map<uint16_t, Waiting> waiting;
    uint8_t group[kGroupRead];
    uint32_t running = 1;
    for (const GroupRef& g : res.groups) {
        size_t got = file.ReadSomeAt(g.offset, group, sizeof group);
        if (got < 6) return fail(LibStatus::ReadError);
        size_t count = LoadLE16(group + 4);
        if (6 + kGroupEntrySize * count > got) return fail(LibStatus::ReadError);

        IconEntry icon;
        Workspace::SetDisplayName(
            &icon, Format(how.adding ? kAddedIconName : kReadIconName, title.c_str(), running));
        icon.serial = ws.TakeSerial();
        icon.resourceId = g.resourceId;
        std::memcpy(icon.resourceName, g.resourceName.data(),
                    std::min(g.resourceName.size(), size_t{15}));
        if (!g.resourceName.empty()) Workspace::SetDisplayName(&icon, g.resourceName);
        for (size_t k = 0; k < count; ++k) {
            const uint8_t* e = group + 6 + kGroupEntrySize * k;
            FormatEntry f = ReadFormatHead(e);
            f.imageNumber = LoadLE16(e + 12);
            if (f.imageNumber == 0) f.imageNumber = static_cast<uint16_t>(k + running + 1);
            f.owner = static_cast<uint16_t>(icon.serial | kUnlinkedOwner);
            size_t at = ws.AppendFormat(f);
            waiting[f.imageNumber].entries.push_back(at);
        }
        size_t index = ws.AppendIcon(icon);
        if (how.adding) {
            ws.icons()[index].x = how.x;
            ws.icons()[index].y = how.y;
        }
        ++running;
    }

    // Images: only those a waiting entry asks for are read; each links to the first such entry.
    std::vector<uint8_t> block;
    size_t linked = 0;
    for (const ImageRef& image : res.images) {
        auto found = waiting.find(image.resourceId);
        if (found == waiting.end() || found->second.next >= found->second.entries.size()) continue;
        size_t entryIndex = found->second.entries[found->second.next];

        uint64_t size = image.size;
        // NE lengths are whole alignment units; the group's byte count is the block's true size.
        uint32_t declared = ws.formats()[entryIndex].bytesInResource;
        if (res.isNE && declared >= 40 && declared <= size && size - declared < res.alignUnit)
            size = declared;
        if (image.offset > UINT32_MAX) continue;

        BlockRead read = ReadImageBlock(file, image.offset, size, &block);
        if (read == BlockRead::LeftOut) continue;
        if (read == BlockRead::Bad) return fail(LibStatus::ReadError);
        uint16_t number = ws.AppendImage(block, static_cast<uint32_t>(image.offset), 0, 0);
        if (number == 0)
            return fail(ws.imagesFull() ? LibStatus::OutOfMemory : LibStatus::WorkspaceError);
        ws.LinkFormat(entryIndex, number);
        ws.SetFormatSize(entryIndex, static_cast<uint32_t>(block.size()));
        ++found->second.next;
        ++linked;
    }
    if (linked == 0) return fail(LibStatus::NoIcons);

    // Entries no image answered belong to no icon: they go, and each icon counts what it owns.
    ws.DropUnlinkedFormats(firstFormat);
    for (size_t i = firstIcon; i < ws.icons().size(); ++i) {
        IconEntry& icon = ws.icons()[i];
        icon.imageCount = static_cast<uint8_t>(ws.FormatsOf(i).size());
        ws.UpdateCellSize(i);
        if (how.adding) {
            icon.x -= icon.cellWidth / 2;
            icon.y -= icon.cellHeight / 2;
        }
    }
    if (!how.adding) ws.RelinkInTableOrder();

    if (res.isNE && !how.adding) {
        ApplyStoredNames(file, res, ws, firstIcon);
        file.Close();
        if (res.targetOs == 0 && how.options.kind != kKindProgram && !how.options.searching &&
            how.options.prompt)
            OfferHeaderCorrection(path, res, *how.options.prompt);
    }
    return LibStatus::Ok;
}

}  // namespace

LibStatus ReadModuleIcons(Workspace& ws, const std::string& path, bool newWorkspace,
                          const ReadOptions& options) {
    if (newWorkspace || !ws.hasFile()) {
        LibStatus st = ws.New();
        if (st != LibStatus::Ok) return st;
    }
    ModuleRead how;
    how.options = options;
    LibStatus st = ReadModule(ws, path, how);
    // A new workspace that received nothing keeps no file behind.
    if (st != LibStatus::Ok && newWorkspace) ws.Discard();
    return st;
}

LibStatus AddModuleIcons(Workspace& ws, const std::string& path, int x, int y, Prompt* prompt) {
    LibStatus prepared = PrepareForAdding(ws, prompt);
    if (prepared != LibStatus::Ok) return prepared;
    bool wasEmpty = ws.icons().empty();
    bool wasModified = ws.modified();
    ModuleRead how;
    how.adding = true;
    how.x = x;
    how.y = y;
    LibStatus st = ReadModule(ws, path, how);
    if (st == LibStatus::Ok) ws.SetModified(wasEmpty ? wasModified : true);
    return st;
}

}  // namespace vt
