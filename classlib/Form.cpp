#include "classlib/Form.h"

#include "classlib/Application.h"
#include "classlib/Button.h"
#include "classlib/Exception.h"
#include "classlib/GuardedCall.h"
#include "classlib/Screen.h"

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  TApplication::Instance();
  if (Screen) Screen->AddForm(this);
  FVisible = false;
  FParentFont = false;
  FWidth = 320;
  FHeight = 240;
  CreateHandle();
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
  OnCreate = OnShow = OnHide = nullptr;
  OnClose = nullptr;
  OnCloseQuery = nullptr;
  OnKeyDown = nullptr;
  OnEnter = OnExit = nullptr;
  // The children go while the window still exists, so that their windows
  // are destroyed before the form's.
  FActiveControl = nullptr;
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    delete c;
  }
}

void TCustomForm::CreateParams(TCreateParams& p) {
  p.ClassName = nullptr;
  p.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  bool sysMenu = FBorderIcons & biSystemMenu;
  switch (FBorderStyle) {
    case bsNone:
      break;
    case bsSingle:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      p.Style |= WS_CAPTION | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != bsNone && sysMenu) p.Style |= WS_SYSMENU;
  if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
    if (sysMenu && (FBorderIcons & biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (sysMenu && (FBorderIcons & biMaximize)) p.Style |= WS_MAXIMIZEBOX;
  }
  if (FBorderStyle == bsDialog && (FBorderIcons & biHelp)) p.ExStyle |= WS_EX_CONTEXTHELP;
}

void TCustomForm::ApplyStyle() {
  if (!FHandle) return;
  int cw = ClientWidth(), ch = ClientHeight();
  TCreateParams p;
  CreateParams(p);
  if (IsWindowVisible(FHandle)) p.Style |= WS_VISIBLE;
  SetWindowLongPtrA(FHandle, GWL_STYLE, p.Style);
  SetWindowLongPtrA(FHandle, GWL_EXSTYLE, p.ExStyle);
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  SetClientSize(cw, ch);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
  FBorderStyle = s;
  ApplyStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  FBorderIcons = icons;
  ApplyStyle();
}

int TCustomForm::ClientWidth() {
  RECT r{};
  if (FHandle) GetClientRect(FHandle, &r);
  return r.right;
}

int TCustomForm::ClientHeight() {
  RECT r{};
  if (FHandle) GetClientRect(FHandle, &r);
  return r.bottom;
}

void TCustomForm::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  if (FHandle) {
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(FHandle, GWL_EXSTYLE)));
  }
  SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

void TCustomForm::BoundsChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::PlaceOnFirstShow() {
  if (FPlaced) return;
  FPlaced = true;
  if (FPosition == poScreenCenter || FPosition == poOwnerFormCenter) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - FWidth) / 2,
              work.top + (work.bottom - work.top - FHeight) / 2, FWidth, FHeight);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FHandle) SetForegroundWindow(FHandle);
}

void TCustomForm::VisibleChanged() {
  if (!FHandle) return;
  if (FVisible) {
    PlaceOnFirstShow();
    ShowWindow(FHandle, SW_SHOWNORMAL);
    if (FActiveControl && FActiveControl->CanFocus())
      ::SetFocus(FActiveControl->Handle());
    else if (TWinControl* first = FindNextControl(nullptr, true, true))
      first->SetFocus();
    if (OnShow) OnShow(this);
  } else {
    ShowWindow(FHandle, SW_HIDE);
    if (OnHide) OnHide(this);
  }
}

namespace {
struct DisabledWindows {
  HWND keep;
  std::vector<HWND> list;
};

BOOL CALLBACK disableOne(HWND h, LPARAM l) {
  auto* d = reinterpret_cast<DisabledWindows*>(l);
  if (h != d->keep && IsWindowVisible(h) && IsWindowEnabled(h)) {
    // Noted before it is disabled: a window that could not be noted would
    // stay disabled after the modal run.
    if (!GuardedCall(false, [&] { d->list.push_back(h); return true; })) return FALSE;
    EnableWindow(h, FALSE);
  }
  return TRUE;
}
}  // namespace

TModalResult TCustomForm::ShowModal() {
  if (FVisible || FModal)
    throw Exception("Aus einem sichtbaren Fenster kann kein modales gemacht werden");
  HWND previous = GetActiveWindow();
  DisabledWindows disabled{FHandle, {}};
  EnumThreadWindows(GetCurrentThreadId(), disableOne, reinterpret_cast<LPARAM>(&disabled));
  FModal = true;
  FModalResult = mrNone;
  auto restore = [&] {
    for (HWND h : disabled.list)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    FModal = false;
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    while (FModalResult == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) {
        FModalResult = mrCancel;
      } else if (FModalResult != mrNone) {
        bool canClose = true;
        if (OnCloseQuery) OnCloseQuery(this, canClose);
        TCloseAction action = caHide;
        if (canClose && OnClose) OnClose(this, action);
        if (!canClose || action == caNone) FModalResult = mrNone;
      }
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return FModalResult;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caHide || action == caFree) Hide();
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && FVisible && control->CanFocus() && control->Handle()) ::SetFocus(control->Handle());
}

void TCustomForm::FocusChanged(TWinControl* control) { FActiveControl = control; }

void TCustomForm::ControlRemoved(TControl* control) {
  if (FActiveControl == control) FActiveControl = nullptr;
  // A removed container takes its children along.
  if (auto* w = dynamic_cast<TWinControl*>(control); w && FActiveControl) {
    for (TControl* c = FActiveControl; c; c = c->Parent())
      if (c == w) {
        FActiveControl = nullptr;
        break;
      }
  }
}

TButton* TCustomForm::FindButton(bool isDefault) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  for (TWinControl* w : list) {
    auto* b = dynamic_cast<TButton*>(w);
    if (b && (isDefault ? b->Default() : b->Cancel()) && b->CanFocus()) return b;
  }
  return nullptr;
}

bool TCustomForm::DialogKey(WORD key, TShiftState shift) {
  switch (key) {
    case VK_TAB:
      if (shift & (ssCtrl | ssAlt)) return false;
      SelectNext(FActiveControl, !(shift & ssShift), true);
      return true;
    case VK_RETURN: {
      // The button that has (or, with the form inactive, last had) the
      // focus takes Enter before the default button.
      auto* b = dynamic_cast<TButton*>(FActiveControl);
      if (!b || !b->CanFocus()) b = FindButton(true);
      if (!b) return false;
      b->Click();
      return true;
    }
    case VK_ESCAPE: {
      TButton* b = FindButton(false);
      if (!b) return false;
      b->Click();
      return true;
    }
    default:
      return false;
  }
}

LRESULT TCustomForm::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(w) != WA_INACTIVE && FActiveControl && FActiveControl->HandleAllocated() &&
          FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (FActiveControl && FActiveControl->HandleAllocated() && FActiveControl->CanFocus()) {
        ::SetFocus(FActiveControl->Handle());
        return 0;
      }
      return DefaultHandler(msg, w, l);
    case WM_WINDOWPOSCHANGED: {
      RECT r;
      GetWindowRect(FHandle, &r);
      const bool resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
      FLeft = r.left;
      FTop = r.top;
      FWidth = r.right - r.left;
      FHeight = r.bottom - r.top;
      if (resized) {
        AlignControls();
        Resize();
      }
      break;
    }
    default:
      break;
  }
  return TWinControl::WndProc(msg, w, l);
}
