#pragma once
// Motif files: a profile file naming one icon or cursor file per row, kept beside it. Section and
// key names are those of desktop theme files, so theme files open too (their icon and cursor
// assignments only).

#include <string>
#include <vector>

#include "engineer/engineer.h"
#include "engineer/profile.h"
#include "sysicons/file_system.h"

namespace vt {

extern const char* const kMotifSoftware;  // "Vantoro(tm)": a file without it is a theme file

// What the "Confirm File Replace" dialog shows about the two files.
struct ReplaceQuestion {
    std::string text;  // "This folder already contains a file called '%s'."
    std::string existingPath;  // the companion file already there, for its icon
    FileStamp existing;
    FileStamp incoming;
    std::string existingSize;  // "%d bytes, created or last modified on"
    std::string incomingSize;
    IconHandle incomingIcon = 0;  // the row's large icon
};
enum class ReplaceAnswer { Yes, YesToAll, No, Cancel };

// The file dialogs and the replace question, shown by the Win32 layer.
class MotifDialogs {
  public:
    virtual ~MotifDialogs() = default;
    // The save dialog; false when cancelled.
    virtual bool AskSavePath(std::string* path) = 0;
    // The open dialog; false when cancelled.
    virtual bool AskOpenPath(std::string* path) = 0;
    virtual ReplaceAnswer AskReplace(const ReplaceQuestion& question) = 0;
};

// The file name without folder and without a final ".motif".
std::string MotifName(const std::string& path);
// A typed extension "mot" (any case) becomes "motif".
std::string FixMotifExtension(const std::string& path);
// The profile section and key of a row's entry; false for rows never kept in a Motif.
bool MotifEntryOf(const SystemIcons& icons, int row, std::string* section, std::string* key);

class MotifFile {
  public:
    MotifFile(Engineer& engineer, Profile& profile, MotifDialogs& dialogs)
        : m_engineer(engineer), m_profile(profile), m_dialogs(dialogs) {}

    MotifDialogs& dialogs() { return m_dialogs; }

    // Writes the Motif and its companion files beside their targets and puts them in place only
    // when everything succeeded; otherwise the old files stay as they were and the user is told
    // which file could not be read, copied or written (a cancelled question stays silent).
    bool Save(bool saveAs);
    // Reads the file into the table; true when at least one row was loaded.
    bool Open(const std::string& path);
    void New();

  private:
    enum class RowSave { Written, Skipped, Cancelled, Failed };
    struct Staged {
        std::string temp;
        std::string target;
    };
    RowSave SaveRow(int row, const std::string& folder, const std::string& name, bool* yesToAll,
                    std::vector<Staged>* staged, std::string* failed);
    bool OpenIconRow(int row, const std::string& value);
    bool OpenCursorRow(int row, const std::string& value);

    Engineer& m_engineer;
    Profile& m_profile;
    MotifDialogs& m_dialogs;
};

}  // namespace vt
