#include "librarian/icon_groups.h"

#include <cstring>

#include "common/file_io.h"
#include "librarian/file_kind.h"
#include "librarian/icon_file_writer.h"
#include "librarian/reader.h"

namespace vt {
namespace {

LibStatus ReadAny(Workspace& ws, const std::string& path) {
    int kind = DetectDroppedFileKind(path);
    if (kind == kKindUnknown)
        return FileExists(path) ? LibStatus::NotRecognised : LibStatus::CannotOpen;
    if (kind == kKindIconFile) return ReadIconFileToWorkspace(ws, path, true);
    ReadOptions options;
    options.kind = kKindProgram;
    options.searching = true;
    return ReadModuleIcons(ws, path, true, options);
}

}  // namespace

LibStatus ListIconGroups(const std::string& path, std::vector<IconGroupInfo>* out) {
    out->clear();
    Workspace ws;
    LibStatus st = ReadAny(ws, path);
    if (st != LibStatus::Ok) return st;
    for (size_t i = 0; i < ws.icons().size(); ++i) {
        const IconEntry& icon = ws.icons()[i];
        IconGroupInfo info;
        info.resourceId = icon.resourceId;
        info.resourceName.assign(icon.resourceName,
                                 strnlen(icon.resourceName, sizeof icon.resourceName));
        info.displayName = Workspace::ShownName(icon);
        info.formatCount = ws.FormatsOf(i).size();
        out->push_back(std::move(info));
    }
    return out->empty() ? LibStatus::NoIcons : LibStatus::Ok;
}

LibStatus BuildIconFileOfGroup(const std::string& path, size_t index, std::vector<uint8_t>* out) {
    Workspace ws;
    LibStatus st = ReadAny(ws, path);
    if (st != LibStatus::Ok) return st;
    if (index >= ws.icons().size()) return LibStatus::Refused;
    if (ws.FormatsOf(index).empty()) return LibStatus::NoIcons;
    return BuildIconFile(ws, index, out);
}

}  // namespace vt
