#pragma once
// An owned GDI object: a pen, brush, font, bitmap or region, or a memory
// context made with CreateCompatibleDC. The guard deletes what it holds when
// it goes (DeleteDC for a context, DeleteObject for the rest), so a drawing
// routine that returns early or throws leaves nothing behind. It can be
// moved, not copied.
//
//   TGdiHandle<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
//   TSelectedObject usePen(dc, pen);   // declared after: put back first
//
// A handle that is still selected into a context must be put back before it
// goes: declare the selection guard after the owned handle.
#include <windows.h>

#include <type_traits>
#include <utility>

template <class Handle>
class TGdiHandle {
  static_assert(std::is_same_v<Handle, HDC> || std::is_same_v<Handle, HPEN> ||
                    std::is_same_v<Handle, HBRUSH> || std::is_same_v<Handle, HFONT> ||
                    std::is_same_v<Handle, HBITMAP> || std::is_same_v<Handle, HRGN>,
                "TGdiHandle holds a memory context, pen, brush, font, bitmap or region");

 public:
  TGdiHandle() = default;
  explicit TGdiHandle(Handle handle) noexcept : handle_(handle) {}
  ~TGdiHandle() { reset(); }
  TGdiHandle(TGdiHandle&& other) noexcept : handle_(other.release()) {}
  TGdiHandle& operator=(TGdiHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  TGdiHandle(const TGdiHandle&) = delete;
  TGdiHandle& operator=(const TGdiHandle&) = delete;

  Handle get() const noexcept { return handle_; }
  operator Handle() const noexcept { return handle_; }  // NOLINT: passed straight to GDI calls
  explicit operator bool() const noexcept { return handle_ != nullptr; }

  // Gives the handle up to the caller, who deletes it from now on.
  [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, nullptr); }

  // Deletes the handle held and holds the given one.
  void reset(Handle handle = nullptr) noexcept {
    Handle old = std::exchange(handle_, handle);
    if (!old) return;
    if constexpr (std::is_same_v<Handle, HDC>) {
      DeleteDC(old);
    } else {
      DeleteObject(old);
    }
  }

 private:
  Handle handle_ = nullptr;
};
