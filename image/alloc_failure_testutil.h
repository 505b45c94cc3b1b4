#pragma once
// Running out of memory on demand: while a FailLargeAllocations lives, every allocation through
// operator new of at least `bytes` throws std::bad_alloc, as it would on a machine that is out of
// memory. Small allocations still succeed, so the code under test gets as far as its large work
// buffers.

#include <cstddef>

namespace vt::test {

class FailLargeAllocations {
  public:
    explicit FailLargeAllocations(size_t bytes);
    ~FailLargeAllocations();
    FailLargeAllocations(const FailLargeAllocations&) = delete;
    FailLargeAllocations& operator=(const FailLargeAllocations&) = delete;

    // How many allocations were refused so far.
    static size_t refused();
};

}  // namespace vt::test
