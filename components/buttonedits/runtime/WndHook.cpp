#include "components/buttonedits/runtime/WndHook.h"

#include <algorithm>
#include <vector>

#include "classlib/GuardedCall.h"

namespace {

std::vector<TMessageReceiver*> gHookObjects;
HHOOK gWndHook = nullptr;
std::vector<TCustomActiveNotifier*> gActiveNotifiers;
HHOOK gActiveHook = nullptr;

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

LRESULT CALLBACK WndHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = ::CallNextHookEx(gWndHook, code, wParam, lParam);
  if (code == HC_ACTION) GuardedCall([&] {
    TDCMessage message;
    message.Msg = CM_WNDHOOK;
    message.WParam = static_cast<uintptr_t>(lParam);
    // A handler may remove hook objects: walk a copy and skip the gone.
    const std::vector<TMessageReceiver*> objects = gHookObjects;
    for (TMessageReceiver* object : objects) {
      if (!Contains(gHookObjects, object)) continue;
      object->Dispatch(message);
      if (message.Result != 0) break;
    }
  });
  return result;
}

LRESULT CALLBACK ActiveHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) GuardedCall([&] {
    const auto* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (ret->message == WM_SETFOCUS) {
      const std::vector<TCustomActiveNotifier*> notifiers = gActiveNotifiers;
      for (TCustomActiveNotifier* n : notifiers)
        if (Contains(gActiveNotifiers, n)) n->HookProc(*ret);
    }
  });
  // Later hooks of the chain see the message too.
  return ::CallNextHookEx(gActiveHook, code, wParam, lParam);
}

}  // namespace

void AddWndHook(TMessageReceiver* object) {
  if (!object) return;
  if (gHookObjects.empty())
    gWndHook = ::SetWindowsHookExA(WH_CALLWNDPROC, WndHookProc, nullptr, ::GetCurrentThreadId());
  gHookObjects.push_back(object);
}

void RemoveWndHook(TMessageReceiver* object) {
  auto it = std::find(gHookObjects.begin(), gHookObjects.end(), object);
  if (it == gHookObjects.end()) return;
  gHookObjects.erase(it);
  if (gHookObjects.empty() && gWndHook) {
    ::UnhookWindowsHookEx(gWndHook);
    gWndHook = nullptr;
  }
}

bool WndHookInstalled() { return gWndHook != nullptr; }

TCustomActiveNotifier::TCustomActiveNotifier(TComponent* owner) : TComponent(owner) {
  if (gActiveNotifiers.empty())
    gActiveHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, ActiveHookProc, nullptr, ::GetCurrentThreadId());
  gActiveNotifiers.push_back(this);
}

TCustomActiveNotifier::~TCustomActiveNotifier() {
  gActiveNotifiers.erase(std::remove(gActiveNotifiers.begin(), gActiveNotifiers.end(), this),
                         gActiveNotifiers.end());
  if (gActiveNotifiers.empty() && gActiveHook) {
    ::UnhookWindowsHookEx(gActiveHook);
    gActiveHook = nullptr;
  }
}

void TCustomActiveNotifier::HookProc(const CWPRETSTRUCT&) {
  if (OnActiveChanged) OnActiveChanged(this);
}

bool ActiveNotifierHookInstalled() { return gActiveHook != nullptr; }
