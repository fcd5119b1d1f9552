// The global allocation functions of the allocation test: the usual ones,
// counting every allocation made while a count is open.
#include "tests/allocation/counting_new.h"

#include <cstdlib>
#include <new>

namespace nuv::testing {

namespace {
// One thread calls the engines; the counter need not be shared.
long allocations = 0;
bool counting = false;
}  // namespace

void OpenCount() {
    allocations = 0;
    counting = true;
}

long CloseCount() {
    counting = false;
    return allocations;
}

}  // namespace nuv::testing

namespace {

void* Allocate(std::size_t size) {
    if (nuv::testing::counting) ++nuv::testing::allocations;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
