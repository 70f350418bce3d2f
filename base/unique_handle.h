// Move-only owners for Win32 handles. Each kind names its own empty value and
// its own close function, so no handle is closed twice or leaked on an early
// return.
#pragma once
#include <windows.h>
#include <tlhelp32.h>
#include <utility>

namespace base {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::empty(); }

    // Closes the owned handle (if any) and takes h.
    void reset(Handle h = Traits::empty()) {
        if (handle_ != Traits::empty()) Traits::close(handle_);
        handle_ = h;
    }
    // Gives up ownership without closing.
    Handle release() { return std::exchange(handle_, Traits::empty()); }
    // For out-parameters: closes the current handle and returns its slot.
    Handle* put() { reset(); return &handle_; }

private:
    Handle handle_ = Traits::empty();
};

struct KernelHandleTraits {  // processes, threads, events, mutexes: NULL when empty
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::CloseHandle(h); }
};
struct FileHandleTraits {    // CreateFile, CreateToolhelp32Snapshot: INVALID_HANDLE_VALUE when empty
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle empty() { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::RegCloseKey(h); }
};
struct ModuleTraits {        // LoadLibrary results
    using Handle = HMODULE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::FreeLibrary(h); }
};

// A handle that is NULL when empty and closed by Close (icons, menus, GDI
// objects, WinINet handles).
template <typename H, BOOL(WINAPI* Close)(H)>
struct NullHandleTraits {
    using Handle = H;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { Close(h); }
};

using UniqueHandleKernel = UniqueHandle<KernelHandleTraits>;
using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueSnapshot = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindHandleTraits>;
using UniqueHKey = UniqueHandle<RegKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;

}  // namespace base
