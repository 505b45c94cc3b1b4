#pragma once
// How the Studio was started, its title, and where its frame goes when no position was saved.

#include <string>
#include <string_view>

namespace vt {

enum class StudioLaunch {
    NewDocument,  // empty command line
    NewCursor,    // "#": a new document, then the New Resource dialog set to "Cursor"
    Server,       // "!" + mode letter + topic: an edit session for the Librarian
    OpenFile,     // anything else: a file path
};

struct StudioCommandLine {
    StudioLaunch launch = StudioLaunch::NewDocument;
    char modeLetter = 0;  // server mode: 'N' new blank icon, 'P' formats locked, else request
    std::string topic;    // server mode: the session token
    std::string path;     // OpenFile

    bool RequestsIcon() const { return launch == StudioLaunch::Server && modeLetter != 'N'; }
    bool FormatsLocked() const { return launch == StudioLaunch::Server && modeLetter == 'P'; }
};

inline constexpr size_t kMaxPath = 260;

StudioCommandLine ParseStudioCommandLine(std::string_view args);

// The file type a path given without one (command line, dropped file) is opened as: "2" for a
// ".cur" file, "3" (the GIF reader) for a ".gif" file, else "1", an icon file; any letter case.
int FileTypeForPath(std::string_view path);

// "Vantoro Studio- <file name>" (or "untitled") standalone, "Vantoro Studio- [<name>]" in server
// mode; a trailing ".ico" in any case is dropped.
std::string StudioTitle(bool serverMode, const std::string& pathOrName, bool untitled);

struct Rect32 {
    int left = 0, top = 0, width = 0, height = 0;
};

struct FrameMetrics {
    int screenWidth = 0, screenHeight = 0;
    int frameBorder = 0;  // SM_CXFRAME
    int caption = 0, menu = 0;
};

// The frame's default place: right of the screen, centred vertically.
Rect32 DefaultFramePlacement(const FrameMetrics& m, bool toolBarShown);
// A saved window position moved back onto the screen when it lies (partly) off it.
Rect32 ClampToScreen(Rect32 r, int screenWidth, int screenHeight);

}  // namespace vt
