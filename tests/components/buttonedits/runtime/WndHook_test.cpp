#include "components/buttonedits/runtime/WndHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT kProbe = WM_USER + 321;

// Counts the probe messages the hook shows it; may answer them or remove
// itself (and so the hook objects that follow must still be reached).
struct Receiver : TMessageReceiver {
  int seen = 0;
  bool answer = false;
  bool removeSelf = false;
  void Dispatch(TDCMessage& m) override {
    if (m.Msg != CM_WNDHOOK) return;
    if (reinterpret_cast<const CWPSTRUCT*>(m.WParam)->message != kProbe) return;
    ++seen;
    if (answer) m.Result = 1;
    if (removeSelf) RemoveWndHook(this);
  }
};

HWND MakeWindow() {
  return ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(WndHook, OneSystemHookServesManyObjects) {
  Receiver a, b;
  AddWndHook(&a);
  EXPECT_TRUE(WndHookInstalled());
  AddWndHook(&b);
  RemoveWndHook(&a);
  EXPECT_TRUE(WndHookInstalled());
  RemoveWndHook(&b);
  EXPECT_FALSE(WndHookInstalled());
}

TEST(WndHook, AnAnswerStopsTheWalkAndARemovalDoesNotSkipTheNext) {
  HWND w = MakeWindow();
  Receiver first, second, third;
  AddWndHook(&first);
  AddWndHook(&second);
  AddWndHook(&third);
  second.answer = true;
  ::SendMessageA(w, kProbe, 0, 0);
  EXPECT_EQ(first.seen, 1);
  EXPECT_EQ(second.seen, 1);
  EXPECT_EQ(third.seen, 0);

  second.answer = false;
  first.removeSelf = true;
  ::SendMessageA(w, kProbe, 0, 0);
  EXPECT_EQ(first.seen, 2);
  EXPECT_EQ(second.seen, 2);
  EXPECT_EQ(third.seen, 1);
  RemoveWndHook(&second);
  RemoveWndHook(&third);
  EXPECT_FALSE(WndHookInstalled());
  ::DestroyWindow(w);
}

TEST(WndHook, FocusNotifiersFireOnEveryFocusChange) {
  HWND a = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  HWND b = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, a, nullptr, nullptr, nullptr);
  {
    std::vector<TObject*> senders;
    TCustomActiveNotifier n1(nullptr), n2(nullptr);
    n1.OnActiveChanged = [&](TObject* s) { senders.push_back(s); };
    n2.OnActiveChanged = [&](TObject* s) { senders.push_back(s); };
    EXPECT_TRUE(ActiveNotifierHookInstalled());
    ::SetFocus(a);
    ::SetFocus(b);
    ASSERT_GE(senders.size(), 2u);
    EXPECT_EQ(senders[0], &n1);
    EXPECT_EQ(senders[1], &n2);
    EXPECT_EQ(senders.size() % 2, 0u);
  }
  EXPECT_FALSE(ActiveNotifierHookInstalled());
  ::DestroyWindow(a);
}

#include "components/buttonedits/runtime/ActiveNotifier.h"
#include "components/buttonedits/runtime/Notifiers.h"

namespace {

struct ChangeCounter : TMessageAnswer {
  int changes = 0;
  void Dispatch(TDCMessage& m) override {
    if (m.Msg == CM_IDECHANGED) ++changes;
  }
};

}  // namespace

TEST(WndHook, TheIdeNotifierBroadcastsEachFocusChangeOnce) {
  HWND a = ::CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  ChangeCounter counter;
  InitIDENotifier();
  InitIDENotifier();
  ::SetFocus(nullptr);
  ::SetFocus(a);
  EXPECT_EQ(counter.changes, 1);
  DoneIDENotifier();
  EXPECT_FALSE(ActiveNotifierHookInstalled());
  ::DestroyWindow(a);
}

#include "components/buttonedits/runtime/KeyState.h"

TEST(KeyState, ShiftStateFollowsTheKeyboardState) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  BYTE pressed[256] = {};
  std::copy(keys, keys + 256, pressed);
  pressed[VK_SHIFT] = 0x80;
  pressed[VK_CONTROL] = 0x80;
  ::SetKeyboardState(pressed);
  EXPECT_EQ(KeysToShift() & (ssShift | ssCtrl), ssShift | ssCtrl);
  pressed[VK_SHIFT] = 0;
  pressed[VK_CONTROL] = 0;
  ::SetKeyboardState(pressed);
  EXPECT_EQ(KeysToShift() & (ssShift | ssCtrl), 0);
  ::SetKeyboardState(keys);
}
