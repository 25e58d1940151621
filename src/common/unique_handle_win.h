// Move-only owners for Win32 handles, with a traits parameter for what "no handle" means.
#pragma once

#include <windows.h>

#include <utility>

namespace quillfern {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::none(); }

  Handle release() noexcept { return std::exchange(handle_, Traits::none()); }
  void reset(Handle handle = Traits::none()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::none()) Traits::close(old);
  }

 private:
  Handle handle_ = Traits::none();
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle none() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle handle) noexcept { ::FindClose(handle); }
};

// CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle none() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle handle) noexcept { ::CloseHandle(handle); }
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle handle) noexcept { ::CloseHandle(handle); }
};

template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle handle) noexcept { ::DeleteObject(handle); }
};

struct MenuTraits {
  using Handle = HMENU;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle handle) noexcept { ::DestroyMenu(handle); }
};

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle none() noexcept { return nullptr; }
  static void close(Handle handle) noexcept { ::RegCloseKey(handle); }
};

using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// Selects a GDI object into a device context for one scope and restores the previous one.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(::SelectObject(dc, object)) {}
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  ~ScopedSelection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quillfern
