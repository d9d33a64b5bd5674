// One RAII owner for every kind of platform handle: a traits class names the
// handle type, its empty value and how to release it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <utility>

namespace fw {

template <class Traits>
class UniqueHandle {
 public:
  using pointer = typename Traits::pointer;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(pointer h) noexcept : h_(h) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  pointer get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::invalid(); }

  pointer release() noexcept { return std::exchange(h_, Traits::invalid()); }
  void reset(pointer h = Traits::invalid()) noexcept {
    pointer old = std::exchange(h_, h);
    if (old != Traits::invalid()) Traits::close(old);
  }
  // For out-parameters of platform calls: releases what is held first.
  pointer* put() noexcept {
    reset();
    return &h_;
  }

 private:
  pointer h_ = Traits::invalid();
};

namespace traits {
struct Key {
  using pointer = HKEY;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::RegCloseKey(h); }
};
template <class T>
struct GdiObject {
  using pointer = T;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::DeleteObject(h); }
};
struct Dc {
  using pointer = HDC;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::DeleteDC(h); }
};
struct Icon {
  using pointer = HICON;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::DestroyIcon(h); }
};
struct ImageList {
  using pointer = HIMAGELIST;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::ImageList_Destroy(h); }
};
struct Menu {
  using pointer = HMENU;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::DestroyMenu(h); }
};
struct Find {
  using pointer = HANDLE;
  static pointer invalid() { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) { ::FindClose(h); }
};
struct Kernel {
  using pointer = HANDLE;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::CloseHandle(h); }
};
struct Bstr {
  using pointer = BSTR;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::SysFreeString(h); }
};
struct Module {
  using pointer = HMODULE;
  static pointer invalid() { return nullptr; }
  static void close(pointer h) { ::FreeLibrary(h); }
};
struct ActCtx {
  using pointer = HANDLE;
  static pointer invalid() { return INVALID_HANDLE_VALUE; }
  static void close(pointer h) { ::ReleaseActCtx(h); }
};
}  // namespace traits

using UniqueKey = UniqueHandle<traits::Key>;
using UniqueBrush = UniqueHandle<traits::GdiObject<HBRUSH>>;
using UniquePen = UniqueHandle<traits::GdiObject<HPEN>>;
using UniqueFont = UniqueHandle<traits::GdiObject<HFONT>>;
using UniqueBitmap = UniqueHandle<traits::GdiObject<HBITMAP>>;
using UniqueDc = UniqueHandle<traits::Dc>;
using UniqueIcon = UniqueHandle<traits::Icon>;
using UniqueImageList = UniqueHandle<traits::ImageList>;
using UniqueMenu = UniqueHandle<traits::Menu>;
using UniqueFind = UniqueHandle<traits::Find>;
using UniqueKernelHandle = UniqueHandle<traits::Kernel>;
using UniqueBstr = UniqueHandle<traits::Bstr>;
using UniqueModule = UniqueHandle<traits::Module>;
using UniqueActCtx = UniqueHandle<traits::ActCtx>;

// A VARIANT that clears itself.
class UniqueVariant {
 public:
  UniqueVariant() noexcept { ::VariantInit(&v_); }
  ~UniqueVariant() { ::VariantClear(&v_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  VARIANT* get() noexcept { return &v_; }
  const VARIANT* get() const noexcept { return &v_; }
  VARIANT* put() noexcept {
    ::VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// Selects a GDI object into a DC for one scope and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~SelectScope() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDc {
 public:
  explicit PaintDc(HWND wnd) noexcept : wnd_(wnd) { dc_ = ::BeginPaint(wnd, &ps_); }
  ~PaintDc() { ::EndPaint(wnd_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const noexcept { return dc_; }
  const PAINTSTRUCT& paint() const noexcept { return ps_; }

 private:
  HWND wnd_;
  HDC dc_;
  PAINTSTRUCT ps_{};
};

// GetDC/ReleaseDC for one scope.
class WindowDc {
 public:
  explicit WindowDc(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

}  // namespace fw
