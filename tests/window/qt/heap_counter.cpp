// Counts heap allocations for the tests that prove a sweep pass makes none.
// The count is process-wide by nature: the allocator is.

#include "heap_counter.h"

#include <atomic>

namespace {

std::atomic<std::size_t> allocationCount{
    0};  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void countOne() {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)

// Under AddressSanitizer the sanitizer owns malloc; it calls hooks instead.
extern "C" int __sanitizer_install_malloc_and_free_hooks(  // NOLINT(bugprone-reserved-identifier)
    void (*mallocHook)(const volatile void*, std::size_t), void (*freeHook)(const volatile void*));

namespace {

const bool hooksInstalled = __sanitizer_install_malloc_and_free_hooks(
    [](const volatile void* /*pointer*/, std::size_t /*size*/) { countOne(); },
    [](const volatile void* /*pointer*/) {});

}  // namespace

#else

// glibc lets a program put its own malloc in front of glibc's: these count
// and hand every request on to glibc's allocator, whose free() then applies.
extern "C" {
// NOLINTBEGIN(bugprone-reserved-identifier, readability-inconsistent-declaration-parameter-name)
void* __libc_malloc(std::size_t size) noexcept;
void* __libc_calloc(std::size_t count, std::size_t size) noexcept;
void* __libc_realloc(void* block, std::size_t size) noexcept;
// NOLINTEND(bugprone-reserved-identifier, readability-inconsistent-declaration-parameter-name)

void* malloc(std::size_t size) noexcept {
    countOne();
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept {
    countOne();
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) noexcept {
    countOne();
    return __libc_realloc(block, size);
}
}

#endif

namespace aurisplot::testing {

std::size_t heapAllocations() {
    return allocationCount.load(std::memory_order_relaxed);
}

}  // namespace aurisplot::testing
