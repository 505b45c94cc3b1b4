#pragma once
// Fixtures for the Engineer's tests: the Librarian's reader over files that live in a
// MemoryFileSystem, and icon files built in code.

#include <cstdint>
#include <string>
#include <vector>

#include "engineer/engineer.h"
#include "engineer/motif_file.h"
#include "sysicons/memory_file_system.h"
#include "sysicons/test_world.h"

namespace vt::test {

// Copies the in-memory file to a real temporary file and lets the Librarian read it.
class MemoryIconGroups : public IconGroupSource {
  public:
    explicit MemoryIconGroups(MemoryFileSystem& files) : m_files(files) {}
    LibStatus BuildIconFile(const std::string& path, int index, std::vector<uint8_t>* out) override;
    int calls = 0;

  private:
    MemoryFileSystem& m_files;
};

// An icon image block; `blank` sets every visible mask bit (a fully transparent image).
std::vector<uint8_t> IconBlock(int width, int height, int bits, bool blank = false);
// An icon file of the blocks.
std::vector<uint8_t> IconFile(const std::vector<std::vector<uint8_t>>& blocks);
// A PE program file with one icon group per entry of `groups`, each of the given blocks.
std::vector<uint8_t> ProgramWithIcons(const std::vector<std::vector<std::vector<uint8_t>>>& groups);

// The Motif file dialogs answering as the test says.
class ScriptedMotifDialogs : public MotifDialogs {
  public:
    bool AskSavePath(std::string* path) override {
        ++saveAsks;
        if (savePath.empty()) return false;
        *path = savePath;
        return true;
    }
    bool AskOpenPath(std::string* path) override {
        ++openAsks;
        if (openPath.empty()) return false;
        *path = openPath;
        return true;
    }
    ReplaceAnswer AskReplace(const ReplaceQuestion& q) override {
        questions.push_back(q);
        ReplaceAnswer a = answers.empty() ? ReplaceAnswer::Yes : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return a;
    }
    std::string savePath;
    std::string openPath;
    int saveAsks = 0;
    int openAsks = 0;
    std::vector<ReplaceAnswer> answers;
    std::vector<ReplaceQuestion> questions;
};

// A whole fake system with an Engineer over it.
struct EngineerWorld : TestWorld {
    ScriptedPrompt prompt;
    std::unique_ptr<MemoryIconGroups> groups;
    std::unique_ptr<Engineer> engineer;

    Engineer& MakeEngineer() {
        Make();
        groups = std::make_unique<MemoryIconGroups>(files);
        engineer = std::make_unique<Engineer>(*icons, prompt, *groups);
        return *engineer;
    }
};

}  // namespace vt::test
