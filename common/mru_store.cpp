#include "common/mru_store.h"

#include <vector>

namespace vt {

namespace {

// "MRUCount": decimal digits only; anything else (or nothing) is no list.
size_t StoredCount(const std::string& text) {
    if (text.empty() || text.size() > 3) return 0;
    size_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<size_t>(c - '0');
    }
    return std::min(n, MruList::kMaxEntries);
}

std::string ValueName(size_t position) { return "MRU" + std::to_string(position); }

}  // namespace

bool IsStoredPlainPath(std::string_view text, size_t maxPath) {
    if (text.empty() || text.size() > maxPath) return false;
    for (char c : text)
        if (static_cast<unsigned char>(c) < ' ') return false;
    return true;
}

MruList LoadMru(const MruStore& store, MruValueForm form, size_t maxPath) {
    const size_t n = StoredCount(store.read("MRUCount"));
    std::vector<MruEntry> entries;
    for (size_t i = 1; i <= n; ++i) {
        const std::string value = store.read(ValueName(i));
        if (form == MruValueForm::PlainPath) {
            if (IsStoredPlainPath(value, maxPath)) entries.push_back({value, 1});
            continue;
        }
        if (value.empty()) continue;
        MruEntry e = MruList::ParseStoredValue(value);
        if (!e.path.empty() && e.path.size() <= maxPath) entries.push_back(std::move(e));
    }
    // Stored newest first; adding from the back keeps the order.
    MruList list;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) list.Add(it->path, it->fileType);
    return list;
}

void SaveMru(const MruList& list, const MruStore& store, MruValueForm form) {
    const auto& entries = list.entries();
    store.write("MRUCount", std::to_string(entries.size()));
    for (size_t i = 0; i < MruList::kMaxEntries; ++i) {
        const std::string name = ValueName(i + 1);
        if (i >= entries.size()) {
            store.erase(name);
            continue;
        }
        store.write(name, form == MruValueForm::PlainPath ? entries[i].path
                                                     : MruList::StoredValue(entries[i]));
    }
}

}  // namespace vt
