#include "librarian/frame_rules.h"

#include "common/save_question.h"
#include "librarian/reader.h"

namespace vt {

const char* const kWorkspaceFileError =
    "Error detected updating workspace file area.\r\n\r\nCheck to be sure you have temporary disk "
    "space available.";

LibrarianMenuFacts MenuFactsOf(const Workspace& ws, int view, bool toolbarShown,
                               bool statusBarShown) {
    LibrarianMenuFacts f;
    f.modified = ws.modified();
    f.selected = ws.selectionValue() > 0   ? 1
                 : ws.selectionValue() < 0 ? static_cast<size_t>(-int64_t{ws.selectionValue()})
                                           : 0;
    f.view = view;
    f.toolbarShown = toolbarShown;
    f.statusBarShown = statusBarShown;
    return f;
}

CommandState LibrarianCommandState(int command, const LibrarianMenuFacts& facts) {
    CommandState s;
    switch (command) {
        case kCmdSave:
            s.enabled = facts.modified;
            break;
        case kCmdRename:
        case kCmdContextRename:
        case kCmdCreateCopy:
        case kCmdContextCreateCopy:
        case kCmdSaveAsIco:
        case kCmdEditIcon:
        case kCmdContextEditIcon:
        case kCmdInstall:
            s.enabled = facts.selected == 1;
            break;
        case kCmdDelete:
        case kCmdContextDelete:
            s.enabled = facts.selected > 0;
            break;
        case kCmdArrangeBySpecificFormat:
            s.enabled = facts.view == kViewSpecific;
            break;
        case kCmdToolbar:
            s.checked = facts.toolbarShown;
            break;
        case kCmdStatusBar:
            s.checked = facts.statusBarShown;
            break;
        default:
            if (command >= kCmdViewFirst && command < kCmdViewFirst + 4)
                s.checked = command - kCmdViewFirst + 1 == facts.view;
            break;
    }
    return s;
}

std::string SaveQuestionText(const std::string& fileTitle) {
    return Format("%s has been changed.  Save this file before proceeding?",
                  fileTitle.empty() ? "The workspace" : fileTitle.c_str());
}

bool SaveOrSaveAs(Workspace& ws, SaveState& state, Prompt& prompt,
                  const std::function<std::string()>& askName) {
    bool needsName = false;
    LibStatus st = SaveWorkspace(ws, state, prompt, &needsName);
    if (needsName) {
        std::string name = askName ? askName() : std::string();
        if (name.empty()) return false;
        st = SaveWorkspaceAs(ws, state, name, prompt);
    }
    // A program-file save that kept images without a place leaves the workspace modified.
    return st == LibStatus::Ok && !ws.modified();
}

bool MayDiscardWorkspace(const Workspace& ws, const std::string& fileTitle, Prompt& prompt,
                         const std::function<bool()>& save,
                         const std::function<bool()>& endSessions) {
    if (endSessions && !endSessions()) return false;
    if (!ws.modified()) return true;
    return ProceedAfterSaveQuestion(
        prompt.Ask(SaveQuestionText(fileTitle), PromptButtons::YesNoCancel), save);
}

DropPlan PlanFileDrop(const Workspace& ws, bool askWhenNotEmpty) {
    DropPlan plan;
    plan.addEnabled = ws.mode() != kModeProgram;
    plan.openAtOnce = !askWhenNotEmpty || ws.icons().empty() || ws.mode() == kModeProgram;
    return plan;
}

long CopySelectedIcon(Workspace& ws, Prompt& prompt) {
    if (ws.mode() == kModeProgram) {
        prompt.Tell(kAddToProgramFileRefused, PromptIcon::Stop);
        return -1;
    }
    if (ws.selectionValue() <= 0) return -1;
    const size_t index = static_cast<size_t>(ws.selectionValue() - 1);
    // An icon without images (an icon file may hold none) has nothing to copy.
    if (index >= ws.iconCount() || ws.FormatsOf(index).empty()) return -1;
    long copy = ws.CreateCopy(index);
    if (copy < 0) {
        prompt.Tell(
            ws.nextSerial() > 0x7FFF || ws.imagesFull() ? kOutOfGlobalMemory : kWorkspaceFileError,
            PromptIcon::Stop);
        return -1;
    }
    return copy;
}

FormatBox ApplyFormatBox(Workspace& ws, FormatBoxCause cause,
                         const std::vector<FormatTally>& before, Prompt& prompt) {
    FormatBox box = BuildFormatBox(ws.tallies(), ws.currentFormat(), ws.metrics().displayColorCode,
                                   cause, before);
    switch (box.warning) {
        case FormatBoxWarning::None:
            break;
        case FormatBoxWarning::SomeNotSupported:
            prompt.Tell(kSomeFormatsNotSupported, PromptIcon::Exclamation);
            break;
        case FormatBoxWarning::NoneSupported:
            prompt.Tell(kNoFormatSupported, PromptIcon::Exclamation);
            ws.New();
            box = {};
            box.warning = FormatBoxWarning::NoneSupported;
            return box;
    }
    if (box.selected >= 0)
        ws.SetCurrentFormat(box.entries[static_cast<size_t>(box.selected)].format);
    return box;
}

}  // namespace vt
