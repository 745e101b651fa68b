// An exception thrown by an event handler stops at the window procedure of
// the control or component it ran in: the application object shows it and
// the next message is handled.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/Edit.h"
#include "classlib/Exception.h"
#include "components/buttonedits/DCEdit.h"
#include "components/buttonedits/controls/HandleObject.h"
#include "components/edits/AdvEdit.h"
#include "tests/support/FormTest.h"

using namespace kel::test;

namespace {

// A shown form with a plain edit, an edit with buttons and a lookup edit;
// every exception that reaches the application object is recorded.
struct GuardForm : TForm {
  GuardForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetClientSize(300, 120);
    Plain = add(new TEdit(this), 8);
    Buttons = add(new TDCEdit(this), 40);
    Lookup = add(new TAdvEdit(this), 72);
    Lookup->Lookup().Enabled = true;
    Lookup->Lookup().NumChars = 1;
    for (const char* s : {"Berta", "Bernd"}) Lookup->Lookup().DisplayList.Add(s);
    Show();
    pump();
    Application->OnException = [this](const std::exception& e) { reports.push_back(e.what()); };
  }
  ~GuardForm() override { Application->OnException = nullptr; }
  template <class Control>
  Control* add(Control* c, int top) {
    c->SetParent(this);
    c->SetBounds(8, top, 200, 21);
    return c;
  }
  // Shows the lookup list and clicks its first line.
  void pickFromLookup() {
    Lookup->SetText("");
    SendMessageA(Lookup->Handle(), WM_CHAR, 'b', 1);
    ASSERT_NE(Lookup->LookupWindow(), nullptr);
    SendMessageA(Lookup->LookupWindow(), LB_SETCURSEL, 0, 0);
    SendMessageA(Lookup->LookupWindow(), WM_LBUTTONUP, 0, 0);
  }

  TEdit* Plain;
  TDCEdit* Buttons;
  TAdvEdit* Lookup;
  std::vector<std::string> reports;
};

// A handler body that throws on its first call and counts the later ones.
struct FailingOnce {
  int calls = 0;
  bool standard = true;
  void operator()() {
    if (calls++ > 0) return;
    if (standard) throw Exception("Probefehler");
    throw 7;
  }
};

TEST(GuardedCall, AThrowingHandlerIsShownAndTheNextMessageIsHandled) {
  GuardForm f;
  FailingOnce handler;
  THandleObject messageWindow([&](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    handler();
    return 1;
  });
  struct Row {
    const char* what;
    bool standard;
    const char* report;
    std::function<void()> connect;  // puts `handler` into the event
    std::function<void()> send;     // one message that fires the event
  };
  const Row rows[] = {
      {"control of the class library", true, "Probefehler",
       [&] { f.Plain->OnKeyDown = [&](TObject*, WORD&, TShiftState) { handler(); }; },
       [&] { SendMessageA(f.Plain->Handle(), WM_KEYDOWN, VK_LEFT, 1); }},
      {"editor of the edit with buttons", true, "Probefehler",
       [&] { f.Buttons->OnChange = [&](TObject*) { handler(); }; },
       [&] { SendMessageA(f.Buttons->Edit()->Handle(), WM_CHAR, 'x', 1); }},
      {"lookup list", true, "Probefehler",
       [&] { f.Lookup->OnLookupIndexSelect = [&](TObject*, int, AnsiString&) { handler(); }; },
       [&] { f.pickFromLookup(); }},
      {"message window, no standard exception", false, "Unbekannter Fehler", [] {},
       [&] { SendMessageA(messageWindow.Handle(), WM_USER + 1, 0, 0); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    handler = FailingOnce{0, row.standard};
    f.reports.clear();
    row.connect();
    row.send();
    EXPECT_EQ(f.reports, std::vector<std::string>{row.report});
    row.send();
    EXPECT_EQ(handler.calls, 2) << "the next message reached the handler";
    EXPECT_EQ(f.reports.size(), 1u);
  }
}

TEST(GuardedCall, AnExceptionWhileOneIsShownIsNotShownAgain) {
  GuardForm f;
  int calls = 0;
  f.Plain->OnKeyDown = [&](TObject*, WORD&, TShiftState) {
    ++calls;
    throw Exception("immer");
  };
  // Showing runs the failing handler again, as a message box's loop would
  // with a timer or a paint.
  Application->OnException = [&](const std::exception& e) {
    f.reports.push_back(e.what());
    SendMessageA(f.Plain->Handle(), WM_KEYDOWN, VK_LEFT, 1);
  };
  SendMessageA(f.Plain->Handle(), WM_KEYDOWN, VK_LEFT, 1);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(f.reports.size(), 1u);
  SendMessageA(f.Plain->Handle(), WM_KEYDOWN, VK_LEFT, 1);
  EXPECT_EQ(f.reports.size(), 2u) << "the next one is shown again";
}

}  // namespace
