#include "components/buttonedits/controls/HandleObject.h"

#include "classlib/GuardedCall.h"
#include "classlib/WindowClass.h"

namespace {

const char kClass[] = "ClipboardClass";

}  // namespace

THandleObject::THandleObject(TMessageMethod method) : FMethod(std::move(method)) {
  RegisterWindowClassOnce(kClass, CS_DBLCLKS);
  FHandle = CreateWindowExA(WS_EX_TOPMOST, kClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!FHandle) return;
  SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THandleObject::WindowProc));
  SetWindowLongPtrA(FHandle, GWL_STYLE, WS_CHILD);
}

THandleObject::~THandleObject() {
  if (!FHandle) return;
  SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
  DestroyWindow(FHandle);
}

LRESULT CALLBACK THandleObject::WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<THandleObject*>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (!self || !self->FMethod) return DefWindowProcA(h, msg, w, l);
  return GuardedWndProc(h, msg, [&] { return self->FMethod(h, msg, w, l); });
}

TDCHandleObject::TDCHandleObject(TMessageReceiver* target)
    : THandleObject([target](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
        TDCMessage m{msg, w, l, 0};
        if (target) target->Dispatch(m);
        return m.Result != 0 ? m.Result : DefWindowProcA(h, msg, w, l);
      }) {}
