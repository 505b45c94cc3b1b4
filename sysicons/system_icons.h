#pragma once
// The system-object table at run time: one SystemObject per row, the environment facts, and the
// operations that read, resolve, default and write a row's icon location through the registry
// and shell seams. The Engineer uses all rows; the installer library the icon rows only.

#include <string>
#include <vector>

#include "sysicons/environment.h"
#include "sysicons/file_system.h"
#include "sysicons/registry.h"
#include "sysicons/shell.h"
#include "sysicons/system_object_table.h"

namespace vt {

enum class Program { Engineer, Installer };

struct SystemObject : SystemObjectRow {
    IconHandle largeIcon = 0;
    IconHandle smallIcon = 0;
    bool sharedIcon = false;  // a standard cursor or own resource: never released
    int chosenIndex = 0;      // cursor rows: 1 restores the Windows default cursor
    int chosenSlot = 0;       // 1-based slot in the chosen-file list, 0 for none
    bool pending = false;
    bool useInPlace = false;  // the chosen file is the default and is written without copying
    std::string displayName;
    std::string itemName;
    std::string location;

    bool isCursor() const { return key == kKeyCursors; }
};

// What "Use Default" offers for a row.
struct DefaultChoice {
    bool restoreCursor = false;
    std::string file;  // empty for a Shell Icons row: its override is deleted
    int index = 0;
};

extern const char* const kTablesNeedRebuildText;     // "Program tables require rebuilding."
extern const char* const kWindowsDefaultCursorText;  // "Windows Default Cursor"

class SystemIcons {
  public:
    SystemIcons(Registry& registry, Shell& shell, FileSystem& files, const EnvironmentFacts& facts,
                Program program);
    ~SystemIcons();
    SystemIcons(const SystemIcons&) = delete;
    SystemIcons& operator=(const SystemIcons&) = delete;

    // Start-up: the Windows NT adjustments and the table check (false: the program must show
    // kTablesNeedRebuildText and stop), display names, remembered defaults, desktop discovery and
    // the current locations of every row.
    bool Prepare();
    bool AdjustForPlatform();
    void BuildDisplayNames();
    void DiscoverDesktop();
    void ReadAllCurrentLocations();
    // After a change of the shell's icon size: rows without a choice read their current icon
    // again; rows with a chosen file keep file, index and location and reload those icons.
    void RefreshCurrentIcons();
    // The string-table words of the recycle-bin rows.
    void SetRecycleWords(const std::string& empty, const std::string& full);

    long ReadClassValue(RegRoot root, const std::string& keyPath, const std::string& subkey,
                        const std::string& name, std::string* out);
    long WriteClassValue(int keyNumber, RegRoot root, const std::string& keyPath,
                         const std::string& subkey, const std::string& name,
                         const std::string& text);
    bool ResolveLocation(const std::string& location, std::string* path, int* index) const;
    bool ResolveCursorLocation(const std::string& location, std::string* path) const;
    void ReadCurrentLocation(int row);
    DefaultChoice DefaultLocation(int row);
    std::string ProgramOfCommand(const std::string& classKey);
    // Writes "file,index" (an installed file is always index 0; a file used in place keeps its
    // chosen index).
    bool WriteLocation(int row, const std::string& file, int index = 0);
    // Whether the row is shown in the lists at all.
    bool IsListed(int row) const;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    SystemObject& row(int i) { return m_rows[static_cast<size_t>(i)]; }
    const SystemObject& row(int i) const { return m_rows[static_cast<size_t>(i)]; }
    const EnvironmentFacts& facts() const { return m_facts; }
    // The installer library names installed files after the user of the moment of the install.
    void SetUserName(const std::string& name) { m_facts.userName = name; }
    Registry& registry() { return m_registry; }
    Shell& shell() { return m_shell; }
    FileSystem& files() { return m_files; }
    Program program() const { return m_program; }
    // Class text of the registry keys this program creates.
    const char* classText() const;
    const std::string& keyPath(int keyNumber) const {
        return m_keyPaths[static_cast<size_t>(keyNumber)];
    }
    RegRoot keyRoot(int keyNumber) const {
        return kRegistryLocations[static_cast<size_t>(keyNumber)].root;
    }
    const std::string& recycleWord(int row) const;

    // The folder that "%Folder%" and "%ThemeDir%" stand for (the open Motif's, trailing backslash).
    void SetVariableFolder(const std::string& folder) { m_variableFolder = folder; }
    const std::string& variableFolder() const { return m_variableFolder; }

    // Chosen files: 1-based slots that stay allocated until ReleaseChosenFiles.
    int AddChosenSlot();
    void SetChosenFile(int row, const std::string& path);
    std::string ChosenFile(int row) const;
    void ReleaseChosenFiles();

    // Replaces the row's icons, releasing the ones it owned.
    void SetIcons(int row, const IconPair& icons, bool shared);
    void SetLocation(int row, const std::string& text);

    // Refresh flags that WriteLocation raises for the apply sequence.
    bool iconCacheNeedsRebuild = false;
    bool briefcaseChanged = false;

    // The Dial-Up Networking default remembered at start-up and replaced by writes.
    const std::string& rememberedDialUpDefault() const { return m_dialUpDefault; }

  private:
    bool LoadIcons(int row, const std::string& path, int index);
    void ReadCursorLocation(int row);
    void ShowBuiltInIcon(int row);
    void CompleteFromSearchPath(int row, bool cursor);
    std::string ReadDefaultIcon(int row);
    std::string DisplayNameFor(int row);
    void RefreshShellIndex(int row);
    bool WriteRecycleLocation(int row, const std::string& value, bool* visible);
    void AnnounceChange(int row);

    Registry& m_registry;
    Shell& m_shell;
    FileSystem& m_files;
    EnvironmentFacts m_facts;
    Program m_program;
    std::vector<SystemObject> m_rows;
    std::vector<std::string> m_keyPaths;
    std::vector<std::string> m_chosenFiles;
    std::string m_words[2] = {"empty", "full"};
    std::string m_variableFolder;
    std::string m_dialUpDefault;
};

}  // namespace vt
