#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace vantrel {

// Owner of one Win32 handle of any kind, released by Traits::Close. Move-only; get() lends
// the handle, put() hands out the address to receive a new one (the old one is released
// first), release() gives up ownership. Traits::Invalid() is the kind's "no handle" value:
// nullptr for most, INVALID_HANDLE_VALUE for files and find handles.
template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    Handle* put() {
        reset();
        return &handle_;
    }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) {
        if (valid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }
    // Releases the handle now and says whether that worked (a written file's close can
    // fail); true when nothing was held.
    bool close() {
        const bool closed = !valid() || Traits::Close(handle_);
        handle_ = Traits::Invalid();
        return closed;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// Traits of the kinds whose "no handle" value is nullptr.
template <typename H>
struct NullIsInvalid {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
};

// A kernel object whose "no handle" value is nullptr: a thread, an event.
struct KernelTraits : NullIsInvalid<HANDLE> {
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
// An open file from CreateFileW, which fails with INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return CloseHandle(handle) != FALSE; }
};
// A listing from FindFirstFileExW, which fails with INVALID_HANDLE_VALUE.
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool Close(HANDLE handle) { return FindClose(handle) != FALSE; }
};
struct RegistryKeyTraits : NullIsInvalid<HKEY> {
    static bool Close(HKEY handle) { return RegCloseKey(handle) == ERROR_SUCCESS; }
};
template <typename H>
struct GdiObjectTraits : NullIsInvalid<H> {
    static bool Close(H handle) { return DeleteObject(handle) != FALSE; }
};
struct MenuTraits : NullIsInvalid<HMENU> {
    static bool Close(HMENU handle) { return DestroyMenu(handle) != FALSE; }
};
struct ImageListTraits : NullIsInvalid<HIMAGELIST> {
    static bool Close(HIMAGELIST handle) { return ImageList_Destroy(handle) != FALSE; }
};
struct IconTraits : NullIsInvalid<HICON> {
    static bool Close(HICON handle) { return DestroyIcon(handle) != FALSE; }
};
struct CursorTraits : NullIsInvalid<HCURSOR> {
    static bool Close(HCURSOR handle) { return DestroyCursor(handle) != FALSE; }
};
struct WindowTraits : NullIsInvalid<HWND> {
    static bool Close(HWND handle) { return DestroyWindow(handle) != FALSE; }
};

using KernelHandle = UniqueHandle<KernelTraits>;
using FileHandle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using PenHandle = UniqueHandle<GdiObjectTraits<HPEN>>;
using MenuHandle = UniqueHandle<MenuTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using CursorHandle = UniqueHandle<CursorTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;

// Owner of one COM interface pointer: Release when it goes. Move-only, like the handles;
// put() releases what is held and hands out the address for an out-parameter.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(other.release()) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    T* get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    T** put() {
        reset();
        return &pointer_;
    }
    T* release() { return std::exchange(pointer_, nullptr); }
    // Takes over a reference the caller already holds.
    void reset(T* pointer = nullptr) {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
        pointer_ = pointer;
    }
    // A new reference for an out-parameter; nullptr when empty.
    T* copy() const {
        if (pointer_ != nullptr) {
            pointer_->AddRef();
        }
        return pointer_;
    }

  private:
    T* pointer_ = nullptr;
};

// Selects a GDI object into a device context for one scope and restores the previous one.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A paint cycle: BeginPaint in the constructor, EndPaint in the destructor.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Holds a thread locale and puts it back when it goes out of scope.
class ThreadLocaleScope {
  public:
    explicit ThreadLocaleScope(LCID locale) : saved_(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocaleScope() { SetThreadLocale(saved_); }
    ThreadLocaleScope(const ThreadLocaleScope&) = delete;
    ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;

  private:
    LCID saved_;
};

}  // namespace vantrel
