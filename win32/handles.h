#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace vantrel {

// Owner of one Win32 handle, released by Traits::Close. Move-only; get() lends the handle,
// put() hands out the address to receive a new one (the old one is released first),
// release() gives up ownership.
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
    explicit operator bool() const { return handle_ != nullptr; }

    Handle* put() {
        reset();
        return &handle_;
    }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static void Close(H handle) { DeleteObject(handle); }
};
struct MenuTraits {
    using Handle = HMENU;
    static void Close(HMENU handle) { DestroyMenu(handle); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static void Close(HIMAGELIST handle) { ImageList_Destroy(handle); }
};
struct IconTraits {
    using Handle = HICON;
    static void Close(HICON handle) { DestroyIcon(handle); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static void Close(HCURSOR handle) { DestroyCursor(handle); }
};
struct WindowTraits {
    using Handle = HWND;
    static void Close(HWND handle) { DestroyWindow(handle); }
};

using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using PenHandle = UniqueHandle<GdiObjectTraits<HPEN>>;
using MenuHandle = UniqueHandle<MenuTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using CursorHandle = UniqueHandle<CursorTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;

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

}  // namespace vantrel
