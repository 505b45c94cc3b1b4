#pragma once
// What the Engineer's frame window shows and asks: the discard question, the title, the status
// text, the File menu's state, the mode switch, and the commands that replace the workspace
// (Open, a recent Motif, closing).
// The program calls: EngineerFrame (one per frame) and its Title, StatusText, FileMenu,
// NeedsDiscardQuestion, AskDiscard, SwitchMode, OpenWithDialog, OpenRecent, OpenCommandLine,
// MayClose; PageTabs / CategoryOfTab / TabOfCategory for the tab control; ModeNameId.

#include <string>
#include <vector>

#include "common/mru_list.h"
#include "common/prompt.h"
#include "engineer/engineer.h"
#include "engineer/motif_file.h"

namespace vt {

extern const char* const kEngineerTitle;        // "Vantoro Engineer"
extern const char* const kDiscardQuestionText;  // "The workspace has been updated. ..."
extern const char* const kMissingGraphicText;   // "Missing or invalid graphic configured ..."

// String-table words the frame shows.
constexpr int kUntitledStringId = 1347;      // "untitled"
constexpr int kUpdatesGroupStringId = 1353;  // "Updates" (Local System Update)
constexpr int kIncludeGroupStringId = 1354;  // "Include" (Motif Mode)
constexpr int kLocalModeStringId = 1323;     // "Local"
constexpr int kMotifModeStringId = 1324;     // "Motif"

// The pages of the tab control in order: categories, without "System" in Motif Mode (there tab n
// shows category n + 1).
std::vector<int> PageTabs(EngineerMode mode);
int CategoryOfTab(EngineerMode mode, int tab);
int TabOfCategory(EngineerMode mode, int category);
int ModeNameId(EngineerMode mode);
int GroupCaptionId(EngineerMode mode);

// "Vantoro Engineer"; in Motif Mode "%s- %s" with the Motif's file name ("untitled" when it has
// none) without a trailing ".motif".
std::string FrameTitle(const Engineer& engineer, const std::string& untitledWord);
// The message part for a row: its location text, or kMissingGraphicText when it has no icon.
std::string RowStatusText(const SystemObject& row);

struct FileMenuState {
    bool newEnabled = false;
    bool saveEnabled = false;
    bool saveAsEnabled = false;
    bool rebuildCacheEnabled = true;
};
FileMenuState FileMenuOf(const Engineer& engineer);

// Motif Mode with a modified Motif; Local System Update with pending rows or a changed System
// page.
bool NeedsDiscardQuestion(const Engineer& engineer);

// How the main dialog's controls look after a mode switch (the dialog applies it).
struct ModeLayout {
    std::vector<int> tabs;           // categories in tab order
    bool applyShown = false;         // "A&pply" and "&Reset All"
    bool motifButtonsShown = false;  // "&New", "&Save", "Save &As..."
    bool clearUpdateShown = false;
    bool systemBoxShown = false;  // box 256
    int groupCaptionId = kUpdatesGroupStringId;
    int modeNameId = kLocalModeStringId;
};
ModeLayout LayoutOf(EngineerMode mode);

class EngineerFrame {
  public:
    EngineerFrame(Engineer& engineer, MotifFile& motif, Prompt& prompt, MruList& recent)
        : m_engineer(engineer), m_motif(motif), m_prompt(prompt), m_recent(recent) {}

    std::string Title(const std::string& untitledWord) const {
        return FrameTitle(m_engineer, untitledWord);
    }
    FileMenuState FileMenu() const { return FileMenuOf(m_engineer); }

    // Asks the discard question when it is needed; true when the command may go on.
    bool AskDiscard();
    // Closing the frame (Exit, the close box, closing the dialog): the same question.
    bool MayClose() { return AskDiscard(); }

    // Changes the mode when it differs and the discard question allows: counters cleared, then a
    // new untitled Motif. False when nothing changed.
    bool SwitchMode(EngineerMode mode);

    // "&Open": the question, then the dialog; only a chosen file empties the workspace and is
    // read. True when a Motif was opened (it is then first in the recent list).
    bool OpenWithDialog();
    // A recent entry (0-based position): the question, then the file without a dialog. A file
    // that does not open leaves the list.
    bool OpenRecent(size_t position);
    // A Motif named on the command line: no question, no dialog.
    bool OpenCommandLine(const std::string& path);

  private:
    bool OpenPath(const std::string& path);

    Engineer& m_engineer;
    MotifFile& m_motif;
    Prompt& m_prompt;
    MruList& m_recent;
};

}  // namespace vt
