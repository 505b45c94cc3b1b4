#include "engineer/motif_file.h"

#include "common/file_io.h"
#include "sysicons/text.h"

namespace vt {

const char* const kMotifSoftware = "Vantoro(tm)";

namespace {

const char* const kCreditsSection = "Software Credits";
const char* const kMotifWebsite = "www.kelvane.com/vantoro";
// Staged copies and the staged Motif carry this after their final name.
const char* const kStageSuffix = ".saving";
const char* const kSaveUnreadableText =
    "The Motif was not saved: the file '%s' could not be read.";
const char* const kSaveNotCopiedText =
    "The Motif was not saved: the file '%s' could not be copied.";
const char* const kSaveNotWrittenText =
    "The Motif was not saved: the file '%s' could not be written.";
// Entries are read into buffers of this size.
constexpr size_t kEntrySize = 324;

// The extension of a file name, dot included; empty when it has none.
std::string ExtensionOf(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string SizeText(uint64_t size) {
    return Format("%llu bytes, created or last modified on", static_cast<unsigned long long>(size));
}

}  // namespace

std::string MotifName(const std::string& path) {
    std::string name = FileNameOf(path);
    if (EndsWithNoCase(name, ".motif")) name.resize(name.size() - 6);
    return name;
}

std::string FixMotifExtension(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || !EqualsNoCase(name.substr(dot), ".mot")) return path;
    // The typed extension is replaced, not extended: "x.MOT" is saved as "x.motif".
    return path.substr(0, path.size() - 3) + "motif";
}

bool MotifEntryOf(const SystemIcons& icons, int row, std::string* section, std::string* key) {
    const SystemObject& o = icons.row(row);
    if (o.key == kKeyMyDocuments) return false;
    if (o.isCursor()) {
        *section = icons.keyPath(kKeyCursors);
        *key = o.itemName;
    } else if (o.key == kKeyShellIcons) {
        *section = icons.keyPath(kKeyShellIcons);
        *key = Format("%d", o.shellIndex);
    } else {
        *section = icons.keyPath(o.key) + "\\DefaultIcon";
        *key = o.key == kKeyRecycleBin ? icons.recycleWord(row) : "DefaultValue";
    }
    return true;
}

MotifFile::RowSave MotifFile::SaveRow(int row, const std::string& folder, const std::string& name,
                                      bool* yesToAll, std::vector<Staged>* staged,
                                      std::string* failed) {
    SystemIcons& icons = m_engineer.icons();
    FileSystem& fs = icons.files();
    const SystemObject& o = icons.row(row);
    std::string source = icons.ChosenFile(row);
    // A cursor restored to the Windows default has no file to copy.
    if (source.empty()) return RowSave::Written;
    std::string extension = o.isCursor() ? ExtensionOf(source) : ".ico";
    std::string companion = folder + name + " " + o.itemName + extension;
    std::vector<uint8_t> bytes;
    if (!fs.ReadFile(source, kMaxSourceFileSize, &bytes)) {
        *failed = Format(kSaveUnreadableText, source.c_str());
        return RowSave::Failed;
    }
    SameFile same = fs.Compare(source, companion);
    if (same == SameFile::Same) return RowSave::Written;  // a re-save: its own source
    if (fs.Exists(companion) && !*yesToAll) {
        ReplaceQuestion q;
        q.text = Format("This folder already contains a file called '%s'.",
                        FileNameOf(companion).c_str());
        q.existingPath = companion;
        fs.Stamp(companion, &q.existing);
        fs.Stamp(source, &q.incoming);
        q.existingSize = SizeText(q.existing.size);
        q.incomingSize = SizeText(q.incoming.size);
        q.incomingIcon = o.largeIcon;
        switch (m_dialogs.AskReplace(q)) {
            case ReplaceAnswer::Cancel:
                return RowSave::Cancelled;
            case ReplaceAnswer::No:
                return RowSave::Skipped;
            case ReplaceAnswer::YesToAll:
                *yesToAll = true;
                break;
            case ReplaceAnswer::Yes:
                break;
        }
    }
    // The copy waits beside the companion until the whole Motif is written.
    std::string temp = companion + kStageSuffix;
    staged->push_back({temp, companion});
    bool copied = o.isCursor() ? fs.WriteFile(temp, bytes)
                               : ExtractIconToFile(fs, m_engineer.prompt(), m_engineer.groups(),
                                                   source, temp, o.chosenIndex);
    if (!copied) {
        *failed = Format(kSaveNotCopiedText, source.c_str());
        return RowSave::Failed;
    }
    return RowSave::Written;
}

bool MotifFile::Save(bool saveAs) {
    SystemIcons& icons = m_engineer.icons();
    FileSystem& fs = icons.files();
    std::string path = m_engineer.motifPath;
    bool fresh = saveAs || m_engineer.untitled;
    if (fresh) {
        if (!m_dialogs.AskSavePath(&path)) return false;
        path = FixMotifExtension(path);
    }
    std::string folder = DirectoryOf(path) + "\\";
    std::string name = MotifName(path);
    // Everything is written beside the targets first and put in place only when all of it
    // succeeded: a failed or cancelled save leaves the old Motif and its companions as they were.
    std::string temp = path + kStageSuffix;
    std::vector<Staged> staged;
    std::string failed;
    auto abandon = [&](const std::string& message) {
        fs.Delete(temp);
        for (const Staged& s : staged) fs.Delete(s.temp);
        if (!message.empty())
            m_engineer.prompt().Show({message, "Vantoro Engineer", PromptIcon::Exclamation,
                                      PromptButtons::Ok, true, 0});
        return false;
    };
    fs.Delete(temp);
    if (fresh) {
        std::string header =
            Format("[%s]\r\n%s=%s\r\n%s=%s\r\n%s=%s\r\n", kCreditsSection, "Software",
                   kMotifSoftware, "Company", "Kelvane Software", "Website", kMotifWebsite);
        if (!m_profile.Create(temp, header)) return abandon(Format(kSaveNotWrittenText, path.c_str()));
    } else {
        std::vector<uint8_t> old;
        if (!fs.ReadFile(path, kMaxSourceFileSize, &old))
            return abandon(Format(kSaveUnreadableText, path.c_str()));
        if (!fs.WriteFile(temp, old)) return abandon(Format(kSaveNotWrittenText, path.c_str()));
    }
    bool yesToAll = false;
    bool written = true;
    for (int r = 0; r < icons.rowCount(); ++r) {
        std::string section, key;
        if (!MotifEntryOf(icons, r, &section, &key)) continue;
        const SystemObject& o = icons.row(r);
        bool chosen = o.chosenSlot != 0 &&
                      (!icons.ChosenFile(r).empty() || (o.isCursor() && o.chosenIndex == 1));
        if (chosen && !m_engineer.categoryTicked[static_cast<size_t>(o.category)]) {
            // An excluded category keeps whatever the file says for it: no entry may point at a
            // companion file that was not written.
            continue;
        }
        if (chosen) {
            RowSave result = SaveRow(r, folder, name, &yesToAll, &staged, &failed);
            if (result == RowSave::Cancelled) return abandon({});
            if (result == RowSave::Failed) return abandon(failed);
            if (result == RowSave::Skipped) continue;
        }
        if (!chosen) {
            written &= m_profile.DeleteKey(temp, section, key);
        } else if (o.isCursor()) {
            std::string value =
                o.chosenIndex == 1
                    ? std::string()
                    : Format("%s%s %s%s", "%Folder%", name.c_str(), o.itemName.c_str(),
                             ExtensionOf(icons.ChosenFile(r)).c_str());
            written &= m_profile.Write(temp, section, key, value);
        } else {
            written &= m_profile.Write(
                temp, section, key,
                Format("%s%s %s%s,0", "%Folder%", name.c_str(), o.itemName.c_str(), ".ico"));
        }
    }
    if (!written) return abandon(Format(kSaveNotWrittenText, path.c_str()));
    for (const Staged& s : staged)
        if (!fs.Replace(s.temp, s.target))
            return abandon(Format(kSaveNotWrittenText, s.target.c_str()));
    if (!fs.Replace(temp, path)) return abandon(Format(kSaveNotWrittenText, path.c_str()));
    m_engineer.motifPath = path;
    m_engineer.untitled = false;
    m_engineer.modified = false;
    m_engineer.theme = false;
    return true;
}

bool MotifFile::OpenIconRow(int row, const std::string& value) {
    SystemIcons& icons = m_engineer.icons();
    std::string path;
    int index = 0;
    if (value.empty() || !icons.ResolveLocation(value, &path, &index)) return false;
    IconPair pair;
    if (!icons.shell().LoadLocationIcons(path, index, &pair)) return false;
    bool hadChoice = icons.row(row).chosenSlot != 0;
    icons.SetChosenFile(row, path);
    icons.SetIcons(row, pair, false);
    icons.SetLocation(row, Format("%s,%d", path.c_str(), index));
    icons.row(row).chosenIndex = index;
    icons.row(row).useInPlace = false;
    m_engineer.NoteChoice(row, hadChoice);
    return true;
}

bool MotifFile::OpenCursorRow(int row, const std::string& value) {
    SystemIcons& icons = m_engineer.icons();
    SystemObject& o = icons.row(row);
    if (value.empty()) {
        if (o.chosenIndex == 1 && o.chosenSlot == 0) return true;  // already the Windows default
        bool hadChoice = o.chosenSlot != 0;
        icons.SetChosenFile(row, {});
        icons.SetIcons(
            row, {icons.shell().LoadOwnIcon(kStandardCursorIconBase + o.alternateIndex), 0}, true);
        icons.SetLocation(row, kWindowsDefaultCursorText);
        o.chosenIndex = 1;
        m_engineer.NoteChoice(row, hadChoice);
        return true;
    }
    std::string path;
    if (!icons.ResolveCursorLocation(value, &path)) return false;
    IconHandle cursor = icons.shell().LoadCursorFile(path);
    if (!cursor) return false;
    bool hadChoice = o.chosenSlot != 0;
    icons.SetChosenFile(row, path);
    icons.SetIcons(row, {cursor, 0}, false);
    icons.SetLocation(row, path);
    o.chosenIndex = 0;
    m_engineer.NoteChoice(row, hadChoice);
    return true;
}

bool MotifFile::Open(const std::string& path) {
    SystemIcons& icons = m_engineer.icons();
    icons.SetVariableFolder(DirectoryOf(path) + "\\");
    m_engineer.theme = m_profile.Read(path, kCreditsSection, "Software", "", 80) != kMotifSoftware;
    int loaded = 0;
    for (int r = 0; r < icons.rowCount(); ++r) {
        std::string section, key;
        if (!MotifEntryOf(icons, r, &section, &key)) continue;
        if (icons.row(r).isCursor()) {
            std::string value = m_profile.Read(path, section, key, "DefaultValue", kEntrySize);
            if (value != "DefaultValue" && OpenCursorRow(r, value)) ++loaded;
        } else if (OpenIconRow(r, m_profile.Read(path, section, key, "", kEntrySize))) {
            ++loaded;
        }
    }
    if (loaded == 0) return false;
    m_engineer.motifPath = path;
    m_engineer.modified = false;
    m_engineer.untitled = false;
    return true;
}

void MotifFile::New() {
    SystemIcons& icons = m_engineer.icons();
    for (int r = 0; r < icons.rowCount(); ++r) {
        if (icons.row(r).chosenSlot == 0) continue;
        icons.row(r).pending = false;
        icons.ReadCurrentLocation(r);
    }
    icons.ReleaseChosenFiles();
    m_engineer.ClearAllPending();
    m_engineer.untitled = true;
    m_engineer.modified = false;
}

}  // namespace vt
