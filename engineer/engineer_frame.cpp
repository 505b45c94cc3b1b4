#include "engineer/engineer_frame.h"

#include "common/file_io.h"
#include "sysicons/text.h"

namespace vt {

const char* const kEngineerTitle = "Vantoro Engineer";
const char* const kDiscardQuestionText =
    "The workspace has been updated.\n\nDo you want to discard these updates and continue?";
const char* const kMissingGraphicText = "Missing or invalid graphic configured for this item.";

std::vector<int> PageTabs(EngineerMode mode) {
    std::vector<int> tabs;
    for (int c = mode == EngineerMode::Motif ? kCategoryDesktop : kCategorySystem;
         c < kCategoryCount; ++c)
        tabs.push_back(c);
    return tabs;
}

int CategoryOfTab(EngineerMode mode, int tab) {
    return mode == EngineerMode::Motif ? tab + 1 : tab;
}

int TabOfCategory(EngineerMode mode, int category) {
    return mode == EngineerMode::Motif ? category - 1 : category;
}

int ModeNameId(EngineerMode mode) {
    return mode == EngineerMode::Motif ? kMotifModeStringId : kLocalModeStringId;
}

int GroupCaptionId(EngineerMode mode) {
    return mode == EngineerMode::Motif ? kIncludeGroupStringId : kUpdatesGroupStringId;
}

std::string FrameTitle(const Engineer& e, const std::string& untitledWord) {
    if (e.mode != EngineerMode::Motif) return kEngineerTitle;
    std::string name = e.untitled ? untitledWord : FileNameOf(e.motifPath);
    if (EndsWithNoCase(name, ".motif")) name.resize(name.size() - 6);
    return Format("%s- %s", kEngineerTitle, name.c_str());
}

std::string RowStatusText(const SystemObject& row) {
    return row.largeIcon == 0 ? kMissingGraphicText : row.location;
}

FileMenuState FileMenuOf(const Engineer& e) {
    FileMenuState s;
    bool motif = e.mode == EngineerMode::Motif;
    s.newEnabled = motif;
    s.saveEnabled = motif && e.modified && !e.theme;
    s.saveAsEnabled = motif && !(e.untitled && !e.modified);
    s.rebuildCacheEnabled = !e.faultyNtShell();
    return s;
}

bool NeedsDiscardQuestion(const Engineer& e) {
    if (e.mode == EngineerMode::Motif) return e.modified;
    return e.pendingTotal > 0 || e.SystemPageDiffers();
}

ModeLayout LayoutOf(EngineerMode mode) {
    ModeLayout l;
    bool local = mode == EngineerMode::LocalUpdate;
    l.tabs = PageTabs(mode);
    l.applyShown = local;
    l.motifButtonsShown = !local;
    l.clearUpdateShown = local;
    l.systemBoxShown = local;
    l.groupCaptionId = GroupCaptionId(mode);
    l.modeNameId = ModeNameId(mode);
    return l;
}

bool EngineerFrame::AskDiscard() {
    if (!NeedsDiscardQuestion(m_engineer)) return true;
    PromptMessage m;
    m.text = kDiscardQuestionText;
    m.caption = kEngineerTitle;
    m.icon = PromptIcon::Question;
    m.buttons = PromptButtons::YesNo;
    return m_prompt.Show(m) == PromptAnswer::Yes;
}

bool EngineerFrame::SwitchMode(EngineerMode mode) {
    if (mode == m_engineer.mode || !AskDiscard()) return false;
    // The System page's edits belong to Local System Update; they do not survive the switch.
    m_engineer.next = m_engineer.current;
    m_engineer.ClearAllPending();
    m_engineer.mode = mode;
    m_motif.New();
    return true;
}

bool EngineerFrame::OpenPath(const std::string& path) {
    m_motif.New();
    if (!m_motif.Open(path)) {
        m_recent.Remove(path);
        return false;
    }
    m_recent.Add(path, m_engineer.theme ? 1 : 0);
    return true;
}

bool EngineerFrame::OpenWithDialog() {
    if (!AskDiscard()) return false;
    std::string path;
    // Cancel leaves the workspace as it was: it is emptied only for a file that was chosen.
    if (!m_motif.dialogs().AskOpenPath(&path)) return false;
    return OpenPath(path);
}

bool EngineerFrame::OpenRecent(size_t position) {
    if (position >= m_recent.size() || !AskDiscard()) return false;
    std::string path = m_recent.entries()[position].path;
    return OpenPath(path);
}

bool EngineerFrame::OpenCommandLine(const std::string& path) {
    return OpenPath(path);
}

}  // namespace vt
