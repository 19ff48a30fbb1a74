// Small owners of platform resources, released on every path out of the routine that made them.
// None of them changes the order of the calls that a routine's algorithm states: each is released
// where its routine would release it, or at the end of the scope when the routine leaves early.
#pragma once
#ifdef _WIN32
#include <windows.h>
#include <unknwn.h>

namespace Guards {

// An open clipboard: CloseClipboard when the scope ends.
class ClipboardOpen {
  public:
    explicit ClipboardOpen(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpen() {
        if (open_) CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

// A global memory block that is ours until release() hands it to its new owner.
class UniqueHGlobal {
  public:
    explicit UniqueHGlobal(HGLOBAL block = nullptr) : block_(block) {}
    ~UniqueHGlobal() {
        if (block_) GlobalFree(block_);
    }
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

} // namespace Guards
#endif
