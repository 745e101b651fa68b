#pragma once
// Window-procedure hooks of the user-interface thread: registered objects
// see every message sent to a window of the thread, and focus notifiers
// learn when the keyboard focus moves. One system hook of each kind is
// installed while its list is not empty.
#include <windows.h>

#include <functional>

#include "classlib/Component.h"
#include "components/buttonedits/runtime/MessageReceiver.h"

// The message the hook objects receive: WParam points to the CWPSTRUCT of
// the message about to reach a window.
constexpr uint32_t CM_WNDHOOK = WM_USER + 100;

void AddWndHook(TMessageReceiver* object);
void RemoveWndHook(TMessageReceiver* object);
// Whether the window hook is installed (for tests and diagnostics).
bool WndHookInstalled();

// A component told of every focus change of its thread.
class TCustomActiveNotifier : public TComponent {
 public:
  explicit TCustomActiveNotifier(TComponent* owner);
  ~TCustomActiveNotifier() override;
  // Called with the message that set the focus; fires OnActiveChanged.
  virtual void HookProc(const CWPRETSTRUCT& message);
  std::function<void(TObject* sender)> OnActiveChanged;
};

bool ActiveNotifierHookInstalled();
