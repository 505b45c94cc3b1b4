#pragma once
// How an editor (the Studio, the Animator) was started: its command line.
//
//   ""            a new document
//   "#"           (only when the program accepts it) a new document, then New Resource set to "Cursor"
//   "!" + mode letter + token
//                 an edit session for the Librarian: 'N' a new blank document, any other letter
//                 requests the edited image; the token (the session's name) runs to the first
//                 blank or control character, the letter is never part of it
//   anything else a file path, taken without the quotes the shell may have put around it

#include <string>
#include <string_view>

namespace vt {

enum class EditorLaunch {
    NewDocument,
    NewCursor,
    Session,
    OpenFile,
};

struct EditorCommandLine {
    EditorLaunch launch = EditorLaunch::NewDocument;
    char modeLetter = 0;  // session: 'N' new, 'P' (Studio) formats locked, else request
    std::string topic;    // session: the token naming it
    std::string path;     // OpenFile

    bool RequestsImage() const { return launch == EditorLaunch::Session && modeLetter != 'N'; }
    bool FormatsLocked() const { return launch == EditorLaunch::Session && modeLetter == 'P'; }
};

inline constexpr size_t kMaxPath = 260;

// acceptsNewCursor: "#" asks for a new cursor (the Studio); otherwise "#" is a file name.
// A path of kMaxPath characters or more cannot name a file: a new document instead.
EditorCommandLine ParseEditorCommandLine(std::string_view args, bool acceptsNewCursor);

}  // namespace vt
