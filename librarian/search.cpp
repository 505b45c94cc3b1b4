#include "librarian/search.h"

#include "librarian/reader.h"

namespace vt {
namespace fs = std::filesystem;

namespace {
// Deeper trees than this are not entered; real folders never come near it.
constexpr size_t kMaxLevels = 256;
}  // namespace

FolderWalker::FolderWalker(std::string root, OpenType type, bool includeSubfolders)
    : m_root(std::move(root)), m_type(type), m_subfolders(includeSubfolders) {
    m_stack.reserve(8);
}

bool FolderWalker::Push(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return false;
    if (m_stack.size() == m_stack.capacity()) m_stack.reserve(m_stack.size() + 4);
    m_stack.push_back({std::move(it)});
    return true;
}

bool FolderWalker::NextMatchingFile(FoundFile* out) {
    if (!m_started) {
        m_started = true;
        m_rootListed = Push(m_root);
        if (!m_rootListed) return false;
    }
    while (!m_stack.empty()) {
        Level& level = m_stack.back();
        std::error_code ec;
        if (level.it == fs::directory_iterator()) {
            m_stack.pop_back();
            continue;
        }
        fs::directory_entry entry = *level.it;
        level.it.increment(ec);
        if (ec) level.it = fs::directory_iterator();
        // Links to folders are not followed, so a link cannot lead the walk in circles.
        if (entry.is_symlink(ec) && entry.is_directory(ec)) continue;
        if (entry.is_directory(ec)) {
            // A folder that cannot be listed is skipped.
            if (m_subfolders && m_stack.size() < kMaxLevels) Push(entry.path());
            continue;
        }
        std::string name = entry.path().filename().string();
        int kind = SearchFileKind(m_type, name);
        if (kind == kKindUnknown) continue;
        out->path = entry.path().string();
        out->title = FileTitle(name);
        out->kind = kind;
        return true;
    }
    return false;
}

std::string WithThousands(uint64_t n, const std::string& separator) {
    std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

LibStatus SearchFiles(Workspace& ws, const std::string& root, const SearchOptions& options,
                      SearchCounts* counts) {
    return SearchFiles(ws, std::vector<std::string>{root}, options, counts);
}

LibStatus SearchFiles(Workspace& ws, const std::vector<std::string>& roots,
                      const SearchOptions& options, SearchCounts* counts) {
    *counts = {};
    ws.Discard();
    if (options.progress) options.progress({"Scanning for icons..."});
    FoundFile file;
    size_t lastIcons = 0;
    bool made = false;
    bool anyListed = false;
    bool stopped = false;  // cancelled, or the workspace is full
    for (const std::string& root : roots) {
        FolderWalker walker(root, options.type, options.includeSubfolders);
        while (walker.NextMatchingFile(&file)) {
            if (options.cancelled && options.cancelled()) {
                counts->cancelled = true;
                stopped = true;
                break;
            }
            int kind = DetectFileKind(file.path, file.kind);
            if (kind == kKindUnknown) continue;
            LibStatus st;
            if (kind == kKindIconFile) {
                st = ReadIconFileToWorkspace(ws, file.path, !made);
            } else {
                ReadOptions ro;
                ro.kind = kind;
                ro.searching = true;
                ro.prompt = options.prompt;
                st = ReadModuleIcons(ws, file.path, !made, ro);
            }
            if (st == LibStatus::Ok) made = true;
            bool full = st == LibStatus::OutOfMemory;
            bool yielded = ws.icons().size() != lastIcons;
            if (options.onFile) options.onFile(file, yielded);
            if (yielded) {
                lastIcons = ws.icons().size();
                ++counts->files;
                counts->icons = ws.icons().size();
                counts->images = ws.formats().size();
                if (options.progress)
                    options.progress(
                        {"Files:  " + WithThousands(counts->files, options.thousands),
                         "Icons:  " + WithThousands(counts->icons, options.thousands),
                         "Images:  " + WithThousands(counts->images, options.thousands)});
            }
            // Out of serials or image numbers: every later file would be refused too, so the search
            // ends with what it found and says why once.
            if (full) {
                if (options.prompt) options.prompt->Tell(kOutOfGlobalMemory, PromptIcon::Stop);
                stopped = true;
                break;
            }
        }
        anyListed = anyListed || walker.rootListed();
        if (stopped) break;
    }
    if (!anyListed) {
        if (options.prompt)
            options.prompt->Tell("Could not find any files to open.", PromptIcon::Information);
        ws.New();
        return LibStatus::CannotOpen;
    }
    if (ws.icons().empty()) {
        if (options.prompt && !counts->cancelled)
            options.prompt->Tell("No icons found in file(s).", PromptIcon::Information);
        ws.New();
        return LibStatus::NoIcons;
    }
    ws.SetMode(kModeSingleIconFile);
    ws.SetModified(true);
    return LibStatus::Ok;
}

}  // namespace vt
