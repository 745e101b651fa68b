#include "components/buttonedits/DCEdit.h"

#include <exception>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/GuardedCall.h"
#include "components/buttonedits/controls/DropDownHook.h"
#include "components/buttonedits/controls/PopupListBox.h"

namespace {

// The edit whose drop-down is open (one per thread).
TCustomDCEdit* gDropEdit = nullptr;

template <class T>
TComponentFactory factoryOf() {
  return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

// The classes the edit exchanges by name are known to the streaming.
bool RegisterOwnClasses() {
  SafeRegisterClass("TDCSimpleEdit", factoryOf<TDCSimpleEdit>());
  SafeRegisterClass("TDummyEditSource", factoryOf<TDummyEditSource>());
  SafeRegisterClass("TDummyPopup", factoryOf<TDummyPopup>());
  SafeRegisterClass("TPopupListBox", factoryOf<TPopupListBox>());
  return true;
}

bool IsInside(HWND outer, HWND window) { return window && (window == outer || IsChild(outer, window)); }

}  // namespace

// ---------------------------------------------------------------------------
// Edit

namespace {
const TPropInfo kDCEditProps[] = {
    [] {
      TPropInfo p = StrProp<&TCustomDCEdit::Version, &TCustomDCEdit::SetVersion>("Version");
      p.Stored = [](const TObject&) { return false; };
      return p;
    }(),
};
}  // namespace

const TClassInfo TDCEdit::Info = PublishClass<TDCEdit>("TDCEdit", "dcedit", TComponent::Info, kDCEditProps);

TCustomDCEdit::TCustomDCEdit(TComponent* owner) : TWinControl(owner) {
  FWidth = 121;
  FHeight = 21;
  FColor = clWindow;
  FTabStop = true;
  auto layout = [this] { SetButtonBounds(); };
  FButton1 = new TButtonParams(new TEditButton(this), layout);
  FButton2 = new TButtonParams(new TEditButton(this), layout);
  FButton1->OnVisibleChanged = [this] { UpdateButtonCount(); };
  FButton2->OnVisibleChanged = [this] { UpdateButtonCount(); };
  FButton1->SetKind(bkDropDown);
  FButton2->SetKind(bkDots);
  FButton2->Button()->SetVisible(false);
  FPopup = new TDummyPopup(this);
  FEditSource = new TDummyEditSource(this);
  FHook.OnMessage = [this](UINT msg, WPARAM w, LPARAM l) { return EditWndProc(msg, w, l); };
  FHook.OnRemoved = [this] { FTabStop = true; };
  static const bool registered = RegisterOwnClasses();
  (void)registered;
}

TCustomDCEdit::~TCustomDCEdit() {
  FDestroying = true;
  OnChange = nullptr;
  if (FDroppedDown) CloseDropped(false);
  if (gDropEdit == this) gDropEdit = nullptr;
  if (FHandle) {
    KillTimer(FHandle, kDropTimer);
    KillTimer(FHandle, kHoverTimer);
  }
  UnHookEditWndProc();
  delete FButton1;
  delete FButton2;
}

void TCustomDCEdit::SetParent(TWinControl* parent) {
  TWinControl::SetParent(parent);
  if (!parent) return;
  if (!FEdit) {
    InstallEditor(static_cast<TWinControl*>(GetDefaultEditorClass().Make(this)));
    RestoreSavedText();
  }
  // A popup given before (such as one described with the form) is kept.
  if (dynamic_cast<TDummyPopup*>(FPopup)) {
    const TEditPartClass popup = GetDefaultPopupClass();
    SetPopup(static_cast<TWinControl*>(popup.Make(this)));
    FPopupWindowClass = popup.Name;
  }
}

TEditPartClass TCustomDCEdit::GetDefaultEditorClass() const { return {"TDCSimpleEdit", factoryOf<TDCSimpleEdit>()}; }

TEditPartClass TCustomDCEdit::GetDefaultPopupClass() const { return {"TPopupListBox", factoryOf<TPopupListBox>()}; }

void TCustomDCEdit::InstallEditor(TWinControl* editor) {
  FEdit = editor;
  FEdit->SetColor(FColor);
  FEdit->SetEnabled(FEnabled);
  FEdit->SetVisible(true);
  FEdit->SetParent(this);
  if (FEdit->HandleAllocated()) HookEditWndProc();
  SetButtonBounds();
  CheckReadOnly();
}

void TCustomDCEdit::SetEditorClass(const TComponentFactory& factory) {
  if (!factory) return;
  const AnsiString text = GetText();
  const bool hadText = FEdit != nullptr;
  if (FDroppedDown) CloseDropped(false);
  if (FEdit) {
    UnHookEditWndProc();
    TWinControl* old = FEdit;
    FEdit = nullptr;
    delete old;
  }
  InstallEditor(static_cast<TWinControl*>(factory(this)));
  if (hadText) {
    FSavedText = text;
    FHasSavedText = true;
  }
  // The new editor shows the value without it counting as a change.
  if (FHasSavedText) {
    if (FEdit->HandleAllocated())
      SendMessageA(FEdit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FSavedText.c_str()));
    else
      FEdit->SetText(FSavedText);
  }
}

void TCustomDCEdit::SetEditClass(const AnsiString& name) {
  if (name == FEditClass && FEdit) return;
  FEditClass = name;
  TComponentFactory factory = FindRegisteredClass(name);
  SetEditorClass(factory ? factory : factoryOf<TDCSimpleEdit>());
}

void TCustomDCEdit::SetPopupClassName(const AnsiString& name) {
  if (name == FPopupWindowClass) return;
  FPopupWindowClass = name;
  TComponentFactory factory = FindRegisteredClass(name);
  TComponent* made = factory ? factory(this) : nullptr;
  auto* popup = dynamic_cast<TWinControl*>(made);
  if (made && !popup) delete made;
  SetPopup(popup);
}

void TCustomDCEdit::SetEditSourceType(const AnsiString& name) {
  if (name == FEditSourceClass) return;
  FEditSourceClass = name;
  TComponentFactory factory = FindRegisteredClass(name);
  TComponent* made = factory ? factory(this) : nullptr;
  auto* source = dynamic_cast<TEditSource*>(made);
  if (made && !source) delete made;
  delete FEditSource;
  FEditSource = source ? source : new TDummyEditSource(this);
}

void TCustomDCEdit::EditorHandleCreated(TComponent* editor) {
  if (editor == FEdit) HookEditWndProc();
}

void TCustomDCEdit::CreateWnd() {
  TWinControl::CreateWnd();
  // A window made again while its form shows was erased before it was
  // attached: erase it once more, so that the background and the drawn
  // border are there.
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TCustomDCEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (FBorderStyle == bsDCSingle && !FFlat && !FUseTarnelBorder) p.ExStyle |= WS_EX_CLIENTEDGE;
  if (FTabStop && !FHook.Hooked()) p.Style |= WS_TABSTOP;
}

AnsiString TCustomDCEdit::GetText() const {
  if (!FEdit) return AnsiString();
  if (!FEdit->HandleAllocated()) return FHasSavedText ? FSavedText : FEdit->Text();
  // The whole text, however long.
  HWND h = const_cast<TWinControl*>(FEdit)->Handle();
  const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
  if (n <= 0) return AnsiString();
  AnsiString text(static_cast<size_t>(n) + 1, '\0');
  const LRESULT got = SendMessageA(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got < 0 ? 0 : std::min<LRESULT>(got, n)));
  return text;
}

void TCustomDCEdit::SetTextValue(const AnsiString& value) {
  ValidateText(value);
  if (!FEdit) {
    FSavedText = value;
    FHasSavedText = true;
    return;
  }
  if (value == GetText()) return;
  FSavedText = value;
  FHasSavedText = true;
  if (FEdit->HandleAllocated()) {
    SendMessageA(FEdit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  } else {
    FEdit->SetText(value);
  }
  Change();
}

void TCustomDCEdit::RestoreSavedText() {
  if (FHasSavedText) SetTextValue(FSavedText);
}

void TCustomDCEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomDCEdit::SetDisplayFocused(bool v) {
  FDisplayFocused = v;
  if (FEdit) FEdit->Invalidate();
}

void TCustomDCEdit::SetPopup(TWinControl* popup) {
  if (FDroppedDown) CloseDropped(false);
  if (popup == FPopup) return;
  delete FPopup;
  FPopup = popup ? popup : new TDummyPopup(this);
  FPopup->SetVisible(false);
  FPopup->SetTabStop(false);
  if (!popup) FPopupWindowClass.clear();
}

void TCustomDCEdit::SetNumButtons(int n) {
  if (n < 0 || n > 2) return;
  FNumButtons = n;
  FButton1->Button()->SetVisible(n >= 1);
  FButton2->Button()->SetVisible(n == 2);
  SetButtonBounds();
}

void TCustomDCEdit::UpdateButtonCount() {
  FNumButtons = (FButton1->Visible() ? 1 : 0) + (FButton2->Visible() ? 1 : 0);
  SetButtonBounds();
}

void TCustomDCEdit::SetOnButton1Click(TNotifyEvent handler) {
  OnButton1Click = handler;
  FButton1->Button()->OnClick = std::move(handler);
}

void TCustomDCEdit::SetOnButton2Click(TNotifyEvent handler) {
  OnButton2Click = handler;
  FButton2->Button()->OnClick = std::move(handler);
}

void TCustomDCEdit::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  CheckReadOnly();
}

void TCustomDCEdit::SetHideCaret(bool v) {
  FHideCaret = v;
  CheckReadOnly();
}

void TCustomDCEdit::CheckReadOnly() {
  if (!FEdit) return;
  const bool readOnly = GetReadOnly() || FHideCaret;
  if (auto* e = dynamic_cast<TCustomEdit*>(FEdit)) e->SetReadOnly(readOnly);
  else if (FEdit->HandleAllocated()) SendMessageA(FEdit->Handle(), EM_SETREADONLY, readOnly, 0);
}

void TCustomDCEdit::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  FLastFlatState = 2;
  FMouseOutside = v && !Focused() && !(FEdit && FEdit->Focused());
  RecreateWnd();
  SetButtonBounds();
}

void TCustomDCEdit::SetBorderStyle(TDCBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  RecreateWnd();
  SetButtonBounds();
}

bool TCustomDCEdit::Modified() const {
  if (FEdit && FEdit->HandleAllocated()) return SendMessageA(FEdit->Handle(), EM_GETMODIFY, 0, 0) != 0;
  return FModifiedFallback;
}

void TCustomDCEdit::SetModified(bool v) {
  if (FEdit && FEdit->HandleAllocated()) SendMessageA(FEdit->Handle(), EM_SETMODIFY, v, 0);
  else FModifiedFallback = v;
}

void TCustomDCEdit::SelectAll() {
  if (FEdit && FEdit->HandleAllocated()) SendMessageA(FEdit->Handle(), EM_SETSEL, 0, -1);
}

void TCustomDCEdit::Deselect() {
  if (FEdit && FEdit->HandleAllocated()) SendMessageA(FEdit->Handle(), EM_SETSEL, WPARAM(-1), -1);
}

void TCustomDCEdit::Term() {
  if (std::uncaught_exceptions() > 0 || FInCommit) return;
  FInCommit = true;
  try {
    DoTerm();
  } catch (...) {
    FInCommit = false;
    throw;
  }
  FInCommit = false;
}

void TCustomDCEdit::DoTerm() {
  if (FEditSource) FEditSource->SetValue(GetText());
}

void TCustomDCEdit::PostValue() { Term(); }

void TCustomDCEdit::SetButtonBounds() {
  if (!FHandle) return;
  RECT client;
  GetClientRect(FHandle, &client);
  const int cw = client.right, ch = client.bottom;
  const bool drawn = FFlat || FUseTarnelBorder;
  const int d = SingleBorder() ? 2 : drawn ? 1 : 0;
  int x = cw - d;
  int buttons = 0;
  if (FNumButtons == 2) {
    TEditButton* b = FButton2->Button();
    b->SetBounds(cw - b->Width() - d, d, b->Width(), ch - 2 * d);
    x = b->Left();
    buttons += b->Width();
  }
  if (FNumButtons >= 1) {
    TEditButton* b = FButton1->Button();
    b->SetBounds(x - b->Width(), d, b->Width(), ch - 2 * d);
    buttons += b->Width();
  }
  for (TButtonParams* p : {FButton1, FButton2})
    if (Application) Application->UpdateHint(p->Button());
  if (FEdit) {
    const int e = drawn ? 4 : 0;
    FEdit->SetBounds(drawn ? 2 : 0, drawn ? 3 : 1, cw - buttons - e, ch - e - 1);
    if (FEdit->HandleAllocated()) {
      RECT r{1, drawn ? 3 : 1, cw - e - 2, ch - 2 - e};
      SendMessageA(FEdit->Handle(), EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    }
  }
  if (FDroppedDown) CloseDropped(false);
}

void TCustomDCEdit::BoundsChanged() {
  TWinControl::BoundsChanged();
  SetButtonBounds();
}

void TCustomDCEdit::EnabledChanged() {
  TWinControl::EnabledChanged();
  if (FEdit) FEdit->SetEnabled(FEnabled);
}

void TCustomDCEdit::ColorChanged() {
  TWinControl::ColorChanged();
  if (FEdit) FEdit->SetColor(FColor);
}

void TCustomDCEdit::DoEnter() {
  TWinControl::DoEnter();
  if (FEdit && FEdit->HandleAllocated() && FEdit->CanFocus()) ::SetFocus(FEdit->Handle());
}

void TCustomDCEdit::HookEditWndProc() {
  if (FHook.Hooked() || !FEdit || !FEdit->HandleAllocated()) return;
  HWND h = FEdit->Handle();
  SetWindowLongPtrA(h, GWL_EXSTYLE, GetWindowLongPtrA(h, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY);
  FHook.Install(h);
  // The editor is the tab stop; the container is passed by.
  FEdit->SetTabStop(FTabStop);
  FTabStop = false;
  if (FHandle) SetWindowLongPtrA(FHandle, GWL_STYLE, GetWindowLongPtrA(FHandle, GWL_STYLE) & ~WS_TABSTOP);
  SetButtonBounds();
  CheckReadOnly();
}

void TCustomDCEdit::UnHookEditWndProc() {
  FHook.Remove(FEdit && FEdit->HandleAllocated() ? FEdit->Handle() : nullptr);
}

bool TCustomDCEdit::WantSpecialKey(WORD key) const {
  if (key == VK_UP || key == VK_DOWN) return true;
  return FDroppedDown && (key == VK_RETURN || key == VK_ESCAPE);
}

LRESULT TCustomDCEdit::EditWndProc(UINT msg, WPARAM w, LPARAM l) {
  if (FDestroying) return FHook.CallEditor(FEdit->Handle(), msg, w, l);
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (!EditorLButtonDown(w)) return 0;
      break;
    case WM_LBUTTONDBLCLK:
      // The editor still sees it afterwards (a text editor selects a word).
      DblClick();
      break;
    case WM_LBUTTONUP:
      if (FDropOnClick && FClickRegistered) FDropPending = true;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (!EditorKey(msg, w, l)) return 0;
      break;
    case WM_GETDLGCODE:
      return EditorGetDlgCode(msg, w, l);
    case WM_KILLFOCUS:
      EditorKillFocus(w);
      break;
    default:
      break;
  }
  return EditorDefault(msg, w, l);
}

bool TCustomDCEdit::EditorLButtonDown(WPARAM w) {
  FFocusLost = false;
  TShiftState shift = KeyboardShiftState() & ssAlt;
  if (w & MK_CONTROL) shift |= ssCtrl;
  if (w & MK_SHIFT) shift |= ssShift;
  if (!MouseDownInEditor(shift)) {
    FClickRegistered = false;
    return false;
  }
  return FEdit->Focused() && !FFocusLost;
}

// While dropped down the keys go to the popup (Alt+Up closes it);
// otherwise KeyDown and KeyPress see them first and may take them.
bool TCustomDCEdit::EditorKey(UINT msg, WPARAM& w, LPARAM l) {
  if (FDroppedDown) {
    if (msg == WM_SYSKEYDOWN && w == VK_UP) {
      WORD key = VK_UP;
      KeyDown(key, KeyboardShiftState() | ssAlt);
    } else if (FPopup && FPopup->HandleAllocated()) {
      SendMessageA(FPopup->Handle(), msg, w, l);
    }
    return false;
  }
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    WORD key = static_cast<WORD>(w);
    KeyDown(key, KeyboardShiftState() | (msg == WM_SYSKEYDOWN ? TShiftState(ssAlt) : TShiftState(0)));
    if (key == 0) return false;
    w = key;
  } else if (msg == WM_CHAR) {
    char c = static_cast<char>(w);
    KeyPress(c);
    if (c == 0) return false;
    w = static_cast<unsigned char>(c);
  }
  return true;
}

// Whatever the editor's class, the keys the container wants (Up and Down,
// Enter and Escape while dropped down) never become dialog keys of the
// form.
LRESULT TCustomDCEdit::EditorGetDlgCode(UINT msg, WPARAM w, LPARAM l) {
  const LRESULT code = FHook.CallEditor(FEdit->Handle(), msg, w, l);
  return WantSpecialKey(static_cast<WORD>(w)) ? code | DLGC_WANTALLKEYS : code;
}

void TCustomDCEdit::EditorKillFocus(WPARAM w) {
  HWND to = reinterpret_cast<HWND>(w);
  if (FDroppedDown) {
    if (!(FPopup && FPopup->HandleAllocated() && IsInside(FPopup->Handle(), to))) CloseDropped(false);
    return;
  }
  FFocusLost = true;
  TCustomForm* form = ParentForm();
  if (form && form->Visible() && !(FHandle && IsInside(FHandle, to))) Term();
}

LRESULT TCustomDCEdit::EditorDefault(UINT msg, WPARAM w, LPARAM l) {
  HWND editor = FEdit->Handle();
  const bool mayChange = msg == WM_CHAR || msg == WM_PASTE || msg == WM_CUT || msg == WM_CLEAR ||
                         msg == WM_UNDO || msg == EM_UNDO ||
                         ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && (w == VK_DELETE || w == VK_BACK));
  const AnsiString before = mayChange ? GetText() : AnsiString();
  const LRESULT result = FHook.CallEditor(editor, msg, w, l);
  if (!FEdit || !FEdit->HandleAllocated()) return result;

  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP) FClickRegistered = true;
  if (msg == WM_SETFOCUS && FHideCaret) ::HideCaret(editor);
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) UpdateBorder();
  if (msg == WM_MOUSEMOVE && FMouseOutside) {
    FMouseOutside = false;
    UpdateBorder();
  }
  if (!FDroppedDown) {
    if (FDropPending) {
      FDropPending = false;
      Drop();
    }
    if (mayChange && GetText() != before) Change();
  }
  return result;
}

bool TCustomDCEdit::MouseDownInEditor(TShiftState) {
  CloseDropped(false);
  if (CanFocus()) FocusEditor();
  return true;
}

void TCustomDCEdit::FocusEditor() {
  // Focusing again what has the focus would pass through the container and
  // close an open drop-down on the way.
  if (FEdit && FEdit->Focused()) return;
  SetFocus();
}

void TCustomDCEdit::MoveFocus(bool forward) {
  if (TCustomForm* form = ParentForm()) form->SelectNext(FEdit ? static_cast<TWinControl*>(FEdit) : this, forward, true);
}

void TCustomDCEdit::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
  switch (key) {
    case VK_RETURN:
      if (!FDroppedDown) key = 0;
      break;
    case VK_UP:
      if (shift & ssAlt) {
        if (FDroppedDown) CloseDropped(true);
      } else {
        MoveFocus(false);
      }
      key = 0;
      break;
    case VK_DOWN:
      if (shift & ssAlt) {
        if (!FButton1->Visible()) break;
        Drop();
      } else {
        MoveFocus(true);
      }
      key = 0;
      break;
    default:
      break;
  }
}

void TCustomDCEdit::KeyPress(char& key) {
  if (key == '\r' || key == 27) key = 0;
}

void TCustomDCEdit::SetDroppedDown(bool value) {
  if (value == FDroppedDown) return;
  if (value) Drop();
  else CloseDropped(true);
}

void TCustomDCEdit::SetDropValue() {
  if (FPopup && FPopup->HandleAllocated()) {
    const AnsiString text = GetText();
    SendMessageA(FPopup->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void TCustomDCEdit::GetDropValue() {
  if (!FPopup || !FPopup->HandleAllocated()) return;
  HWND h = FPopup->Handle();
  const int n = static_cast<int>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0));
  AnsiString text(static_cast<size_t>(n) + 1, '\0');
  const int got = static_cast<int>(SendMessageA(h, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(got < 0 ? 0 : got));
  if (!text.empty()) SetTextValue(text);
}

RECT TCustomDCEdit::EditScreenRect() const {
  RECT r{};
  if (FHandle) GetWindowRect(FHandle, &r);
  return r;
}

void TCustomDCEdit::CloseFromHook() {
  // A list closes itself (and through it the edit); other popups are
  // closed by the edit.
  if (auto* list = dynamic_cast<TPopupListBox*>(FPopup)) list->Close(false);
  else CloseDropped(false);
}

void TCustomDCEdit::Drop() {
  FClickRegistered = false;
  if (!FPopup || dynamic_cast<TDummyPopup*>(FPopup) || FDroppedDown || !FHandle) return;
  if (gDropEdit && gDropEdit != this) gDropEdit->CloseDropped(false);

  // The popup lives as a top-level window beside the form.
  if (!FPopup->Parent()) FPopup->TControl::SetParent(this);
  HWND popup = FPopup->Handle();
  if (!popup) return;
  if (GetWindowLongPtrA(popup, GWL_STYLE) & WS_CHILD) {
    SetWindowLongPtrA(popup, GWL_STYLE, (GetWindowLongPtrA(popup, GWL_STYLE) & ~WS_CHILD) | WS_POPUP);
    ::SetParent(popup, nullptr);
  }

  RECT client;
  GetClientRect(FHandle, &client);
  auto* list = dynamic_cast<TPopupListBox*>(FPopup);
  if (list) list->SetClientWidth(client.right);
  if (OnDropDown) OnDropDown(this);
  SetDropValue();
  FocusEditor();

  POINT origin{0, 0};
  ClientToScreen(FHandle, &origin);
  const int shift = FUseTarnelBorder ? 0 : 2;
  int x = origin.x - shift;
  int y = origin.y + client.bottom;
  int width = FPopup->Width();
  if (width > FWidth) x -= width - FWidth;
  else width = FWidth;
  if (x < 0) x = origin.x - shift;
  const int height = FPopup->Height();
  if (y + height > GetSystemMetrics(SM_CYSCREEN)) y = y - height - FHeight;
  FPopup->TControl::SetBounds(x, y, width, height);
  SetWindowPos(popup, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FPopup->SetVisible(true);

  gDropEdit = this;
  int buttons = 0;
  for (TButtonParams* b : {FButton1, FButton2})
    if (b->Visible()) buttons += b->Button()->Width();
  InstallDropDownHook(TDropDown{popup, FHandle, buttons, [this] { CloseFromHook(); }});
  SetTimer(FHandle, kDropTimer, 20, nullptr);
  FDroppedDown = true;
}

void TCustomDCEdit::TrackDropMouse() {
  if (!FDroppedDown || !FPopup || !FPopup->HandleAllocated()) return;
  HWND popup = FPopup->Handle();
  if (GetCapture() != popup) return;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(popup, &p);
  SendMessageA(popup, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
}

void TCustomDCEdit::CloseDropped(bool accept) {
  FClickRegistered = false;
  if (FDroppedDown) {
    HWND popup = FPopup && FPopup->HandleAllocated() ? FPopup->Handle() : nullptr;
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    RemoveDropDownHook(popup);
    if (FHandle) KillTimer(FHandle, kDropTimer);
    if (gDropEdit == this) gDropEdit = nullptr;
    if (popup)
      SetWindowPos(popup, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (FPopup) FPopup->SetVisible(false);
  }
  if (accept && !FDestroying) {
    GetDropValue();
    if (FEditSource) {
      const AnsiString text = GetText();
      FEditSource->SetValue(text);
      if (FEditSource->GetValue() != text) SetTextValue(FEditSource->GetValue());
    }
  }
  if (FPopup) FPopup->SetTabStop(false);
  FDroppedDown = false;
  if (!FDestroying) SelectAll();
}

// --- flat look ---------------------------------------------------------------

bool TCustomDCEdit::LooksFlat() const {
  return FFlat && FMouseOutside && !Focused() && !(FEdit && FEdit->Focused());
}

void TCustomDCEdit::UpdateBorder() {
  if (!(FFlat || FUseTarnelBorder) || !FHandle) return;
  const int state = LooksFlat() ? 1 : 0;
  if (state == FLastFlatState) return;
  FLastFlatState = state;
  InvalidateRect(FHandle, nullptr, TRUE);
  for (TButtonParams* b : {FButton1, FButton2}) b->Button()->Invalidate();
}

void TCustomDCEdit::MouseEnter() {
  TWinControl::MouseEnter();
  FMouseOutside = false;
  UpdateBorder();
}

void TCustomDCEdit::MouseLeave() {
  TWinControl::MouseLeave();
  // The pointer may only have moved onto the inner editor or a button: the
  // hover timer looks where it is a moment later.
  if (FHandle) SetTimer(FHandle, kHoverTimer, 10, nullptr);
}

void TCustomDCEdit::PaintBackground(HDC dc, const RECT& r) {
  TWinControl::PaintBackground(dc, r);
  if (FFlat || FUseTarnelBorder) DrawBorder(dc);
}

bool TCustomDCEdit::SingleBorder() const {
  return FUseTarnelBorder && TDCEditBorder::Single(FTarnelBorderStyle);
}

void TCustomDCEdit::DrawBorder(HDC dc) {
  RECT all;
  GetClientRect(FHandle, &all);
  TDCEditBorder::Draw(dc, all, FUseTarnelBorder ? FTarnelBorderStyle : tbsSunkenBorder, FLineColor,
                      LooksFlat());
}

void TCustomDCEdit::SetUseTarnelBorder(bool v) {
  if (v == FUseTarnelBorder) return;
  FUseTarnelBorder = v;
  FLastFlatState = 2;
  RecreateWnd();
  SetButtonBounds();
}

void TCustomDCEdit::SetTarnelBorderStyle(TTarnelBorderStyle style) {
  if (style == FTarnelBorderStyle) return;
  FTarnelBorderStyle = style;
  RecreateWnd();
  SetButtonBounds();
}

void TCustomDCEdit::SetLineColor(TColor color) {
  if (color == FLineColor) return;
  FLineColor = color;
  if (FHandle && (FTarnelBorderStyle == tbsLine || FTarnelBorderStyle == tbsLineBorder))
    InvalidateRect(FHandle, nullptr, TRUE);
}

LRESULT TCustomDCEdit::WndProc(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_SIZE: return WMSize(msg, w, l);
    case WM_SETFOCUS: return WMSetFocus(msg, w, l);
    case WM_KILLFOCUS: return WMKillFocus(msg, w, l);
    case WM_TIMER: return WMTimer(msg, w, l);
    case WM_LBUTTONDOWN: return WMLButtonDown(msg, w, l);
    case WM_ACTIVATEAPP: return WMActivateApp(msg, w, l);
    case WM_SETCURSOR: return WMSetCursor(msg, w, l);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: return WMKey(msg, w, l);
    default: return TWinControl::WndProc(msg, w, l);
  }
}

LRESULT TCustomDCEdit::WMSize(UINT msg, WPARAM w, LPARAM l) {
  const LRESULT r = TWinControl::WndProc(msg, w, l);
  SetButtonBounds();
  return r;
}

LRESULT TCustomDCEdit::WMSetFocus(UINT msg, WPARAM w, LPARAM l) {
  if (FEdit && FEdit->HandleAllocated() && FEdit->CanFocus()) {
    ::SetFocus(FEdit->Handle());
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

LRESULT TCustomDCEdit::WMKillFocus(UINT msg, WPARAM w, LPARAM l) {
  if (FDroppedDown) CloseDropped(false);
  return TWinControl::WndProc(msg, w, l);
}

LRESULT TCustomDCEdit::WMTimer(UINT msg, WPARAM w, LPARAM l) {
  if (w == kDropTimer) {
    TrackDropMouse();
    return 0;
  }
  if (w == kHoverTimer) {
    KillTimer(FHandle, kHoverTimer);
    POINT p;
    RECT r;
    GetCursorPos(&p);
    GetWindowRect(FHandle, &r);
    FMouseOutside = !PtInRect(&r, p);
    UpdateBorder();
    return 0;
  }
  return TWinControl::WndProc(msg, w, l);
}

LRESULT TCustomDCEdit::WMLButtonDown(UINT msg, WPARAM w, LPARAM l) {
  const LRESULT r = TWinControl::WndProc(msg, w, l);
  if (GetCapture() != FHandle) MouseDownInEditor(KeyboardShiftState());
  return r;
}

LRESULT TCustomDCEdit::WMActivateApp(UINT msg, WPARAM w, LPARAM l) {
  if (!w && FDroppedDown) CloseDropped(false);
  return TWinControl::WndProc(msg, w, l);
}

// The arrow over the buttons.
LRESULT TCustomDCEdit::WMSetCursor(UINT msg, WPARAM w, LPARAM l) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(FHandle, &p);
  for (TButtonParams* b : {FButton1, FButton2})
    if (b->Visible() && b->Button()->ContainsPoint(p)) {
      ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      return TRUE;
    }
  return TWinControl::WndProc(msg, w, l);
}

// While dropped down the container's keys go to the popup.
LRESULT TCustomDCEdit::WMKey(UINT msg, WPARAM w, LPARAM l) {
  if (FDroppedDown && FPopup && FPopup->HandleAllocated())
    return SendMessageA(FPopup->Handle(), msg, w, l);
  return TWinControl::WndProc(msg, w, l);
}

void TCustomDCEdit::FontChanged() {
  TWinControl::FontChanged();
  AdjustHeight();
}

void TCustomDCEdit::AdjustHeight() {
  SetHeight(Font().Metrics().tmHeight + GetSystemMetrics(SM_CYBORDER) * 8);
}

bool TCustomDCEdit::DialogChar(char key) {
  if (!FHandle) return false;
  AnsiString caption(static_cast<size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
  caption.resize(static_cast<size_t>(GetWindowTextA(FHandle, caption.data(), static_cast<int>(caption.size()))));
  if (!IsAccel(key, caption)) return false;
  Click();
  return CanFocus();
}
