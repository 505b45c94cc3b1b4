#pragma once
// Saving a program file: the changed image blocks go back over their originals, in place. Nothing
// else of the program file is ever written.

#include <string>
#include <vector>

#include "common/prompt.h"
#include "librarian/librarian_status.h"
#include "librarian/workspace.h"

namespace vt {

extern const char* const kProgramUpdateWarning;
extern const char* const kCannotOpenForSave;

extern const char* const kUnplacedImagesHeading;
extern const char* const kWriteOthersQuestion;

// Why a changed image cannot be written into the program file.
enum class UnplacedReason {
    NewFormat,       // made in the workspace: the file has no such format
    SizeDiffers,     // its block is longer or shorter than the original
    NoImageAtPlace,  // the file holds no image block where it came from
};

struct UnplacedImage {
    size_t image = 0;  // index into images()
    std::string iconName;
    std::string formatText;  // "%dx%d, %d colors" or "%dx%d, True Color"
    UnplacedReason reason = UnplacedReason::NewFormat;
};

// The changed images that cannot go back into the program file at `path`, in table order, and how
// many changed images can.
LibStatus FindUnplacedImages(const Workspace& ws, const std::string& path,
                             std::vector<UnplacedImage>* out, size_t* placeable);
// The list as the user sees it: one line per image (icon name, format, why), at most ten, then
// "and %d more".
std::string UnplacedImagesText(const std::vector<UnplacedImage>& list);

// Writes the changed images of the workspace into the program file at `path`, which must be the
// file the workspace was read from. Only images with a place are written, each over an original
// of exactly its length; every block is checked before the first byte is written. Their changed
// marks are cleared; images without a place stay marked and keep the workspace modified.
LibStatus UpdateProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath);

// Save in program-file mode: the output must exist and open for writing; changed images without a
// place are listed and the user chooses whether the others are written (when none can be, only
// the list is shown); the user confirms the warning, then UpdateProgramFile. The messages go
// through the prompt.
LibStatus SaveProgramFile(Workspace& ws, const std::string& path, const std::string& sourcePath,
                          Prompt& prompt);

}  // namespace vt
