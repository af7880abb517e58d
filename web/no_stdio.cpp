// The C++ library's fatal paths (out of memory, a length beyond a string's maximum) would print to stderr before
// stopping, and the printing brings in the C library's stdio and its imports from the host. The module has no host
// to print to: these replace them and stop at once, so that it imports nothing. A trap surfaces in JavaScript as a
// WebAssembly.RuntimeError.
#include <__verbose_abort>
#include <cstddef>
#include <cstdlib>
#include <new>

// The C++ ABI library's own fatal path (a broken type_info, a pure virtual call), reached through the JSON library's
// exception classes, which are built even though nothing throws.
extern "C" [[noreturn]] void abort_message(const char*, ...) { __builtin_trap(); }

// Only the JSON library calls it, to quote a bad character in its parse error texts; the file reader words its own
// messages and never reads those. Writing nothing keeps printf's stdio out of the module.
extern "C" int snprintf(char* out, std::size_t size, const char*, ...) {
  if (size > 0) out[0] = '\0';
  return 0;
}

_LIBCPP_BEGIN_NAMESPACE_STD
void __libcpp_verbose_abort(const char*, ...) { __builtin_trap(); }
_LIBCPP_END_NAMESPACE_STD

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  __builtin_trap();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
