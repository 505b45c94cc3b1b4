#include "librarian/file_kind.h"

#include <cctype>

#include "common/file_io.h"

namespace vt {

std::string LowerExtension(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

std::string FileTitle(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

int ProposedKind(OpenType type, const std::string& path) {
    switch (type) {
        case OpenType::IconFiles: {
            std::string ext = LowerExtension(path);
            return ext == "icl" ? kKindLibrary : ext == "ico" ? kKindIconFile : kKindProgram;
        }
        case OpenType::IconLibraries:
            return kKindLibrary;
        case OpenType::IconResources:
            return kKindIconFile;
        case OpenType::ProgramFiles:
            return kKindProgram;
    }
    return kKindUnknown;
}

namespace {
bool StartsWithMZ(std::span<const uint8_t> h) {
    return h.size() >= 2 && h[0] == 'M' && h[1] == 'Z';
}
bool IconSignatureAfterFirst(std::span<const uint8_t> h) {
    return h.size() >= 4 && h[1] == 0 && h[2] == 1 && h[3] == 0;
}
bool ReadHead(const std::string& path, std::vector<uint8_t>* head) {
    InputFile f;
    if (!f.Open(path)) return false;
    head->resize(256);
    head->resize(f.ReadSomeAt(0, head->data(), head->size()));
    return true;
}
}  // namespace

int CorrectKind(int proposed, std::span<const uint8_t> head) {
    if (proposed == kKindIconFile) {
        if (StartsWithMZ(head)) return kKindLibrary;
        if (!head.empty() && head[0] != 0 && IconSignatureAfterFirst(head)) return kKindUnknown;
        return proposed;
    }
    if (!head.empty() && head[0] == 0 && IconSignatureAfterFirst(head)) return kKindIconFile;
    return proposed;
}

int DetectFileKind(const std::string& path, int proposed) {
    std::vector<uint8_t> head;
    if (!ReadHead(path, &head)) return kKindUnknown;
    return CorrectKind(proposed, head);
}

int DroppedFileKind(const std::string& path, std::span<const uint8_t> head) {
    if (StartsWithMZ(head)) return LowerExtension(path) == "exe" ? kKindProgram : kKindLibrary;
    if (!head.empty() && head[0] == 0)
        return IconSignatureAfterFirst(head) ? kKindIconFile : kKindUnknown;
    return kKindUnknown;
}

int DetectDroppedFileKind(const std::string& path) {
    std::vector<uint8_t> head;
    if (!ReadHead(path, &head)) return kKindUnknown;
    return DroppedFileKind(path, head);
}

int SearchFileKind(OpenType type, const std::string& name) {
    if (FileNameOf(name).size() <= 4) return kKindUnknown;
    std::string ext = LowerExtension(name);
    bool library = ext == "icl" || ext == "il" || ext == "nil";
    bool program = ext == "exe" || ext == "dll";
    switch (type) {
        case OpenType::IconFiles:
            if (ext == "icl") return kKindLibrary;
            if (ext == "ico") return kKindIconFile;
            return library || program ? kKindProgram : kKindUnknown;
        case OpenType::IconLibraries:
            return library ? kKindLibrary : kKindUnknown;
        case OpenType::IconResources:
            return ext == "ico" ? kKindIconFile : kKindUnknown;
        case OpenType::ProgramFiles:
            return program ? kKindProgram : kKindUnknown;
    }
    return kKindUnknown;
}

}  // namespace vt
