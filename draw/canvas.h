#pragma once
// The active image as the tools see it: pixel reads, writes recorded for undo, cells painted
// through the view, and the commit after each action.

#include <functional>

#include "draw/draw_view.h"
#include "draw/ink.h"
#include "draw/undo_buffer.h"
#include "image/icon_image.h"

namespace vt {

class Prompt;

// CreateUndoBuffer: gives the image a fresh, empty history. On allocation failure the image is
// left without one and editing goes on without Undo; returns false then.
bool CreateUndoBuffer(IconImage& image);
UndoBuffer* UndoOf(IconImage& image);

class Canvas {
  public:
    Canvas(IconImage& image, DrawView& view);

    IconImage& image() { return m_image; }
    int width() const { return m_image.width; }
    int height() const { return m_image.height; }
    bool Contains(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_image.width && y < m_image.height;
    }
    bool TrueColor() const { return !IsPaletteBased(m_image.colorCode); }
    UndoBuffer* undo() { return UndoOf(m_image); }
    // The history of the open operation, or null when none is open in the current history.
    UndoBuffer* recording() {
        UndoBuffer* u = undo();
        return m_openCode >= 0 && u && u == m_opBuffer && u->OperationOpen() ? u : nullptr;
    }
    DrawView& view() { return m_view; }

    // (x, y) must be inside the image.
    Ink ReadPixel(int x, int y) const;
    // Writes the pixel and, unless recording is suspended, records the change in the open
    // operation.
    void WritePixel(int x, int y, Ink ink);
    // The common writing step: nothing when the pixel already holds the ink, else paint the cell
    // and write. Returns whether the pixel changed.
    bool PutInk(int x, int y, Ink ink);
    // Paint and write without the equality test (the pencil press, flood).
    void WriteInk(int x, int y, Ink ink);

    void BeginOperation(int code);
    void EndOperation();
    bool OperationOpen();
    // CommitImageBits: the image changed as one completed action.
    void CommitImageBits();
    // Lets the document mark itself modified on every commit.
    void SetCommitHook(std::function<void()> hook) { m_commitHook = std::move(hook); }

    enum class UndoOutcome { Nothing, Done, RanOut };
    // Undo and Redo of the image's history; the caller has closed open operations. Running out of
    // history is reported through prompt with the message the editors have always shown.
    UndoOutcome Undo(Prompt& prompt);
    bool Redo();

  private:
    class Restorer;

    IconImage& m_image;
    DrawView& m_view;
    int m_openCode = -1;
    // The history the open operation was begun in; a history made afresh meanwhile (the image
    // was rebuilt) never sees the rest of that operation.
    UndoBuffer* m_opBuffer = nullptr;
    std::function<void()> m_commitHook;
};

// The message shown when Undo runs off the start of the history.
extern const char* const kUndoRanOutText;

}  // namespace vt
