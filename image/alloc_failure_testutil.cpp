#include "image/alloc_failure_testutil.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> g_failFrom{0};
std::atomic<size_t> g_refused{0};

void* Allocate(size_t n) {
    const size_t limit = g_failFrom.load(std::memory_order_relaxed);
    if (limit != 0 && n >= limit) {
        g_refused.fetch_add(1, std::memory_order_relaxed);
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}

void* AllocateOrNull(size_t n) noexcept {
    try {
        return Allocate(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

// Every plain form is replaced, so that what one form allocates another frees consistently.
void* operator new(size_t n) {
    return Allocate(n);
}
void* operator new[](size_t n) {
    return Allocate(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    return AllocateOrNull(n);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
    return AllocateOrNull(n);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace vt::test {

FailLargeAllocations::FailLargeAllocations(size_t bytes) {
    g_failFrom.store(bytes, std::memory_order_relaxed);
}

FailLargeAllocations::~FailLargeAllocations() {
    g_failFrom.store(0, std::memory_order_relaxed);
}

size_t FailLargeAllocations::refused() {
    return g_refused.load(std::memory_order_relaxed);
}

}  // namespace vt::test
