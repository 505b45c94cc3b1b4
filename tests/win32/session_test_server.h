#pragma once
// A stand-in for the Librarian in a test process: it answers an editor's initiation for one
// token, then stays silent, sends a malformed icon block, or sends `icon`; it takes the editor's
// updates, acknowledges them and keeps their images. The editors' server-mode tests run against it.

#include <windows.h>

#include <string>
#include <vector>

#include "librarian/exchange_blocks.h"

namespace vt::test {

class TestServer {
  public:
    // `malformed`: the request is answered with a block whose header names eight images and
    // holds none.
    TestServer(const std::string& token, bool malformed);
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    // Sends a malformed icon block to the editor without being asked (after the initiation).
    bool PostMalformedData();

    HWND window = nullptr;
    HWND editor = nullptr;  // the window that initiated
    std::string token;
    bool malformed = false;
    bool sendIcon = false;  // answers the request with `icon`
    EditIconBlock icon;     // by default a 32 x 32 16-colour icon named "served"
    int requests = 0;
    int negativeAcks = -1;  // the last acknowledgement: 1 negative, 0 positive, -1 none yet
    bool terminated = false;
    std::vector<ImageBlocks> updates;  // the images of every update taken, in order

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    bool PostBlock(std::vector<uint8_t> bytes, UINT_PTR item);
    static TestServer* s_self;
    UINT m_format = 0;
    HGLOBAL m_sent = nullptr;  // the last block posted: ours again after a negative acknowledgement
};

}  // namespace vt::test
