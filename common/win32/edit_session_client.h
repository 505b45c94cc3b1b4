#pragma once
// The editor's side of an edit session with the Librarian (the Studio's, and the Animator's):
// started in server mode with "!" + mode letter + token, the editor's frame initiates a
// conversation named by the token, asks for the icon ("GetIcon"), waits for it at most ten
// seconds, and pokes the edited images back ("IconUpdate") as often as the user asks.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "common/prompt.h"
#include "image/icon_image.h"
#include "librarian/exchange_blocks.h"

namespace vt {

// What the editor does with the conversation.
class EditSessionDocument {
  public:
    virtual ~EditSessionDocument() = default;
    // The Librarian's icon, already checked; its records are in editor form (ImageFromRecord).
    // False refuses it (the Librarian hears a negative acknowledgement).
    virtual bool ReceiveIcon(const EditIconBlock& icon) = 0;
    // The images to send, in editor form; images without bits or untouched are left out.
    virtual std::vector<const IconImage*> ImagesToSend() = 0;
    // The conversation is over and the program is to end now, keeping nothing (the Librarian
    // ended it, or an Update and Exit was acknowledged).
    virtual void CloseProgram() = 0;
};

// An image record of the wire (doubled height) as the image block the editor keeps (the one-image
// height, biSizeImage the XOR size), and back.
std::vector<uint8_t> ImageFromRecord(std::vector<uint8_t> record);
std::vector<uint8_t> RecordFromImage(const IconImage& image);

class EditSessionClient {
  public:
    EditSessionClient(EditSessionDocument& document, Prompt& prompt) : m_document(document), m_prompt(prompt) {}
    ~EditSessionClient();

    // Start-up in server mode, with the frame created: false when the program is to end (the
    // user has been told why, except after a refusal).
    bool Start(HWND frame, char modeLetter, const std::string& topic);
    // True while the Librarian is there to talk to.
    bool Connected() const { return m_librarian != nullptr; }
    // Sends every image with bits that is not untouched. `thenClose`: the conversation and the
    // program end once the Librarian has acknowledged. False when nothing could be sent.
    bool SendUpdate(bool thenClose);
    // Ends the conversation (the program is closing).
    void End();
    // The frame's WM_DDE_* messages.
    void OnDdeMessage(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void OnAck(HWND from, LPARAM lp);
    void OnData(HWND from, LPARAM lp);
    void FinishClosing();
    static void CALLBACK CloseTimer(HWND, UINT, UINT_PTR, DWORD);

    enum State { kIdle, kInitiating, kWaiting, kUpdateSent };
    EditSessionDocument& m_document;
    Prompt& m_prompt;
    HWND m_frame = nullptr;
    HWND m_librarian = nullptr;
    UINT m_format = 0;
    State m_state = kIdle;
    bool m_waiting = false;
    bool m_refused = false;
    bool m_closing = false;
    // The pokes not yet acknowledged, oldest first: acknowledgements come in the order of the
    // pokes, and each decides who frees its block.
    std::deque<HGLOBAL> m_updates;
    UINT_PTR m_closeTimer = 0;
    static EditSessionClient* s_closing;
};

inline constexpr const char* kNoLibrarianText = "Initiating Librarian is not responding to open DDE link.";
inline constexpr const char* kSessionFailedText =
    "Error encountered completing DDE initialization.  Edit session failed.";
inline constexpr const char* kGlobalMemoryText = "Out of global memory.  Cannot complete this function.";

}  // namespace vt
