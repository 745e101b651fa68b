#pragma once
// A stand-in for the edit with buttons in the tests of its popups and inner
// editors: it records what they ask of it.
#include <string>

#include "classlib/WinControl.h"
#include "components/buttonedits/controls/EditOwner.h"
#include "tests/support/FormTest.h"
#include "tests/support/MessageInput.h"

struct EditHost : TWinControl, TEditOwner {
  explicit EditHost(TComponent* owner) : TWinControl(owner) {}
  void Change() override { ++changes; }
  void CloseDropped(bool accept) override {
    ++closes;
    lastAccept = accept;
    if (accept && popup) {
      // The whole text, however long.
      int n = static_cast<int>(SendMessageA(popup, WM_GETTEXTLENGTH, 0, 0));
      std::string s(static_cast<size_t>(n) + 1, '\0');
      SendMessageA(popup, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
      s.resize(static_cast<size_t>(n));
      if (!s.empty()) text = s;
    }
  }
  bool GetReadOnly() override { return readOnly; }
  void Term() override { ++terms; }
  bool DisplayFocusedLook() override { return true; }
  void SetNumButtons(int count) override { numButtons = count; }
  bool IsPropertyEditor() override { return propertyEditor; }

  HWND popup = nullptr;
  std::string text;
  int changes = 0, closes = 0, terms = 0, numButtons = 1;
  bool lastAccept = false, readOnly = false, propertyEditor = false;
};

struct HostForm : TForm {
  HostForm() : TForm(nullptr) {
    SetCaption("Probe");
    SetBorderStyle(bsDialog);
    SetBounds(100, 100, 360, 260);
    Edit = new EditHost(this);
    Edit->SetParent(this);
    Edit->SetBounds(20, 20, 121, 21);
    Show();
    kel::test::releaseKeys();
    kel::test::pump();
  }
  EditHost* Edit;
};
