// File-name blocks come from other processes: reading any bytes must be safe, and whatever is
// taken must be a name that ends inside the block and fits a path.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engineer/drop_receiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto drop = vt::ReadFileDropBlock({data, size});
    if (drop) {
        if (size < vt::kFileDropHeaderSize || drop->path.empty() ||
            drop->path.size() > vt::kMaxDropPathChars ||
            std::memchr(drop->path.data(), 0, drop->path.size()) ||
            vt::kFileDropHeaderSize + drop->path.size() >= size)
            std::abort();
    }
    return 0;
}
