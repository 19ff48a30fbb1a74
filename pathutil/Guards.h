// Small owners of platform resources, released on every path out of the routine that made them.
// None of them changes the order of the calls that a routine's algorithm states: each is released
// where its routine would release it, or at the end of the scope when the routine leaves early.
#pragma once
#ifdef _WIN32
#include <windows.h>
#include <unknwn.h>

namespace Guards {

// An open clipboard: CloseClipboard when the scope ends. Opening is tried up to attempts times,
// retryMs apart, since other programs hold the clipboard for moments.
class ClipboardOpen {
  public:
    explicit ClipboardOpen(HWND owner, int attempts = 1, DWORD retryMs = 0) : open_(false) {
        for (int i = 0; i < attempts && !open_; ++i) {
            if (i > 0) Sleep(retryMs);
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~ClipboardOpen() {
        if (open_) CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

// File-system redirection turned off for the life of the object, in a 32-bit process on 64-bit Windows,
// where System32 would otherwise mean SysWOW64 and files only in the real one would not be found. Only
// file-system calls may run while it is off: a library load would then find 64-bit DLLs. Elsewhere,
// and in the 64-bit program, it does nothing.
class FsRedirectionOff {
  public:
#ifdef _WIN64
    FsRedirectionOff() {}
    ~FsRedirectionOff() {}
#else
    // Looked up, not imported: 32-bit systems without them must still start. The module is loaded
    // already, so nothing is loaded here.
    FsRedirectionOff() {
        typedef BOOL(WINAPI * TDisable)(PVOID*);
        auto disable = reinterpret_cast<TDisable>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64DisableWow64FsRedirection")));
        off_ = disable && disable(&old_);
    }
    ~FsRedirectionOff() {
        typedef BOOL(WINAPI * TRevert)(PVOID);
        auto revert = reinterpret_cast<TRevert>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64RevertWow64FsRedirection")));
        if (off_ && revert) revert(old_);
    }
#endif
    FsRedirectionOff(const FsRedirectionOff&) = delete;
    FsRedirectionOff& operator=(const FsRedirectionOff&) = delete;

#ifndef _WIN64
  private:
    PVOID old_ = nullptr;
    bool off_ = false;
#endif
};

// A global memory block that is ours until release() hands it to its new owner.
class UniqueHGlobal {
  public:
    explicit UniqueHGlobal(HGLOBAL block = nullptr) : block_(block) {}
    ~UniqueHGlobal() {
        if (block_) GlobalFree(block_);
    }
    UniqueHGlobal(UniqueHGlobal&& other) noexcept : block_(other.release()) {}
    UniqueHGlobal(const UniqueHGlobal&) = delete;
    UniqueHGlobal& operator=(const UniqueHGlobal&) = delete;
    HGLOBAL get() const { return block_; }
    HGLOBAL release() {
        HGLOBAL b = block_;
        block_ = nullptr;
        return b;
    }

  private:
    HGLOBAL block_;
};

// A file handle: CloseHandle when the scope ends.
class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_) CloseHandle(handle_);
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A COM interface reference: Release when the scope ends or reset() is called.
template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) {
            T* p = p_;
            p_ = nullptr;
            p->Release();
        }
    }
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

  private:
    T* p_ = nullptr;
};

// A popup menu handle: DestroyMenu when the scope ends.
class UniqueHMenu {
  public:
    explicit UniqueHMenu(HMENU menu = nullptr) : menu_(menu) {}
    ~UniqueHMenu() {
        if (menu_) DestroyMenu(menu_);
    }
    UniqueHMenu(const UniqueHMenu&) = delete;
    UniqueHMenu& operator=(const UniqueHMenu&) = delete;
    HMENU get() const { return menu_; }

  private:
    HMENU menu_;
};

// An open registry key: closed when the scope ends, by the RegCloseKey given, since advapi32 is loaded
// on first use rather than imported.
class UniqueHKey {
  public:
    typedef LONG(WINAPI* TClose)(HKEY);
    explicit UniqueHKey(TClose close) : close_(close) {}
    ~UniqueHKey() {
        if (key_) close_(key_);
    }
    UniqueHKey(const UniqueHKey&) = delete;
    UniqueHKey& operator=(const UniqueHKey&) = delete;
    HKEY get() const { return key_; }
    HKEY* put() { return &key_; } // for the call that opens it, once

  private:
    TClose close_;
    HKEY key_ = nullptr;
};

} // namespace Guards
#endif
