#include "classlib/WinControl.h"

#include <algorithm>
#include <commctrl.h>

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/GuardedCall.h"
#include "classlib/Screen.h"
#include "classlib/WindowClass.h"

namespace {

const char* const kControlProp = "KelControl";
const char* const kNameProp = "KelName";
const char* const kContainerClass = "KelContainer";

const TPropInfo kWinControlProps[] = {
    OrdProp<&TWinControl::BorderWidth, &TWinControl::SetBorderWidth>("BorderWidth", TypeInfoInteger(), 0),
    [] {
      TPropInfo p = OrdProp<&TWinControl::Ctl3D, &TWinControl::SetCtl3D>("Ctl3D", TypeInfoBoolean());
      p.Stored = [](const TObject& o) { return !static_cast<const TWinControl&>(o).ParentCtl3D(); };
      return p;
    }(),
    OrdProp<&TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D>("ParentCtl3D", TypeInfoBoolean(), 1),
    OrdProp<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop", TypeInfoBoolean(), 0),
};

const TEventInfo kWinControlEvents[] = {
    EventProp<&TWinControl::OnEnter>("OnEnter", TypeInfoNotifyEvent()),
    EventProp<&TWinControl::OnExit>("OnExit", TypeInfoNotifyEvent()),
    EventProp<&TWinControl::OnKeyDown>("OnKeyDown", TypeInfoKeyEvent()),
    EventProp<&TWinControl::OnKeyUp>("OnKeyUp", TypeInfoKeyEvent()),
};

// The shift state of a mouse message.
TShiftState MouseShift(WPARAM w) {
  TShiftState s = 0;
  if (w & MK_SHIFT) s |= ssShift;
  if (w & MK_CONTROL) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (w & MK_LBUTTON) s |= ssLeft;
  if (w & MK_RBUTTON) s |= ssRight;
  if (w & MK_MBUTTON) s |= ssMiddle;
  return s;
}

bool MouseButtonOf(UINT msg, TMouseButton& button, bool& down) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: button = mbLeft; down = true; return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: button = mbRight; down = true; return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: button = mbMiddle; down = true; return true;
    case WM_LBUTTONUP: button = mbLeft; down = false; return true;
    case WM_RBUTTONUP: button = mbRight; down = false; return true;
    case WM_MBUTTONUP: button = mbMiddle; down = false; return true;
    default: return false;
  }
}

}  // namespace

const TClassInfo TWinControl::Info =
    PublishClass<TWinControl>("TWinControl", "Controls", TControl::Info, kWinControlProps, kWinControlEvents);

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Nothing of the object is reachable from handlers while its window goes:
  // focus and mouse messages of the destruction fire no events, and the
  // children are not laid out again as they go.
  FAligning = true;
  OnEnter = nullptr;
  OnExit = nullptr;
  OnKeyDown = nullptr;
  OnKeyUp = nullptr;
  OnClick = nullptr;
  OnMouseEnter = nullptr;
  OnMouseLeave = nullptr;
  OnMouseDown = nullptr;
  OnMouseMove = nullptr;
  OnMouseUp = nullptr;
  OnResize = nullptr;
  OnContextPopup = nullptr;
  OnDragOver = nullptr;
  OnDragDrop = nullptr;
  OnStartDrag = nullptr;
  OnEndDrag = nullptr;
  DestroyHandle();
  // Child controls go with their parent, the last one first.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    delete c;
  }
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.ClassName = nullptr;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  p.ExStyle = 0;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  if (FParent && !FParent->HandleAllocated()) return;
  CreateWnd();
  if (!FHandle) return;
  HandleCreated();
  // The window's client area is the one the children are laid out in now.
  FAlignWidth = FAlignHeight = -1;
  AlignControls();
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
  // Windows are made in insertion order; the tab order decides the z order
  // so that the dialog keys and the window manager agree.
  HWND after = HWND_TOP;
  for (TWinControl* w : FTabList) {
    if (!w->FHandle) continue;
    SetWindowPos(w->FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = w->FHandle;
  }
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if (!FCtl3D && (p.ExStyle & WS_EX_CLIENTEDGE)) {
    p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    p.Style |= WS_BORDER;
  }
  if (!FVisible) p.Style &= ~WS_VISIBLE;
  else if (p.Style & WS_CHILD) p.Style |= WS_VISIBLE;
  if (!FEnabled) p.Style |= WS_DISABLED;
  FOwnClass = p.ClassName == nullptr;
  const char* cls = p.ClassName;
  if (FOwnClass) {
    RegisterWindowClassOnce(kContainerClass, CS_DBLCLKS, DefWindowProcA, LoadCursorA(nullptr, IDC_ARROW));
    cls = kContainerClass;
  }
  HWND parent = FParent ? FParent->FHandle : nullptr;
  if (!parent && (p.Style & WS_CHILD)) return;
  if (!parent && Application) parent = Application->Handle();
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(
                                        FParent ? FParent->ControlCount() + 100 : 0))
                                  : nullptr;
  HWND h = CreateWindowExA(p.ExStyle, cls, FText.c_str(), p.Style, FLeft, FTop, FWidth, FHeight,
                           parent, id, GetModuleHandleA(nullptr), nullptr);
  if (!h) return;
  AttachWindow(h);
}

void TWinControl::AttachWindow(HWND h) {
  FHandle = h;
  SetPropA(h, kControlProp, static_cast<HANDLE>(this));
  FDefProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProc)));
  NameChanged();
  SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  HintChanged();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND h = FHandle;
  DestroyWindow(h);  // WM_NCDESTROY detaches this object and the children
  FHandle = nullptr;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  // Children of this layer keep their objects; their windows go and come
  // with this one.
  TCustomForm* form = ParentForm();
  bool hadFocus = form && form->ActiveControl() == this && Focused();
  DestroyHandle();
  CreateHandle();
  if (hadFocus && FHandle) ::SetFocus(FHandle);
}

LRESULT CALLBACK TWinControl::WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto* c = static_cast<TWinControl*>(GetPropA(h, kControlProp));
  if (!c) return DefWindowProcA(h, msg, w, l);
  if (msg == WM_NCDESTROY) {
    WNDPROC def = c->FDefProc;
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(def));
    RemovePropA(h, kControlProp);
    if (c->FNameAtom) {
      RemovePropA(h, kNameProp);
      GlobalDeleteAtom(c->FNameAtom);
      c->FNameAtom = 0;
    }
    c->FHandle = nullptr;
    return CallWindowProcA(def, h, msg, w, l);
  }
  return GuardedWndProc(h, msg, [&] { return c->WndProc(msg, w, l); });
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM w, LPARAM l) {
  return CallWindowProcA(FDefProc, FHandle, msg, w, l);
}

TControl* TWinControl::GraphicControlAt(POINT p) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!dynamic_cast<TWinControl*>(c) && c->FVisible && c->ContainsPoint(p)) return c;
  }
  return nullptr;
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM w, LPARAM l) {
  if (DragMessage(*this, msg, w, l)) {
    if (msg == WM_LBUTTONUP) FCaptureControl = nullptr;
    return 0;
  }
  TMouseButton button;
  bool down;
  if (MouseButtonOf(msg, button, down)) {
    // The windowless control under the mouse (or holding it) hears the
    // event in its own coordinates; the left button's are handled below.
    POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    TControl* target = FCaptureControl ? FCaptureControl : GraphicControlAt(p);
    if (target && !target->FEnabled) target = nullptr;
    if (!target) target = this;
    const int x = p.x - (target == this ? 0 : target->FLeft);
    const int y = p.y - (target == this ? 0 : target->FTop);
    if (down)
      target->DoMouseDown(button, MouseShift(w), x, y);
    else
      target->DoMouseUp(button, MouseShift(w), x, y);
    if (target->Dragging()) return 0;
  }
  switch (msg) {
    case WM_COMMAND:
      if (l) {
        if (auto* child = dynamic_cast<TWinControl*>(FindControl(reinterpret_cast<HWND>(l)))) {
          if (child != this) {
            child->CommandNotify(HIWORD(w));
            return 0;
          }
        }
      }
      break;
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(l);
      if (auto* child = dynamic_cast<TWinControl*>(FindControl(hdr->hwndFrom)))
        if (child != this) return child->NotifyReflect(hdr);
      break;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
      // Menus (id 0 for WM_MEASUREITEM, ODT_MENU) are not controls.
      HWND item = msg == WM_DRAWITEM
                      ? reinterpret_cast<DRAWITEMSTRUCT*>(l)->hwndItem
                      : (w ? GetDlgItem(FHandle, static_cast<int>(w)) : nullptr);
      if (auto* child = dynamic_cast<TWinControl*>(FindControl(item)); child && child != this)
        return child->WndProc(CN_BASE + msg, w, l);
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (auto* child = dynamic_cast<TWinControl*>(FindControl(reinterpret_cast<HWND>(l))))
        return reinterpret_cast<LRESULT>(child->CtlColor(reinterpret_cast<HDC>(w)));
      break;
    case WM_SETFOCUS: {
      LRESULT r = DefaultHandler(msg, w, l);
      if (TCustomForm* f = ParentForm(); f && f != this) f->FocusChanged(this);
      DoEnter();
      return r;
    }
    case WM_KILLFOCUS: {
      LRESULT r = DefaultHandler(msg, w, l);
      DoExit();
      return r;
    }
    case WM_KEYUP:
      if (OnKeyUp) {
        WORD key = static_cast<WORD>(w);
        OnKeyUp(this, key, KeyboardShiftState());
        if (key == 0) return 0;
        w = key;
      }
      break;
    case WM_CONTEXTMENU: {
      // Not taken here, the request goes on to the parent window.
      const bool keyboard = l == -1 || static_cast<DWORD>(l) == 0xFFFFFFFFu;
      POINT screen{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      if (!keyboard && reinterpret_cast<HWND>(w) == FHandle) {
        POINT client = screen;
        ScreenToClient(FHandle, &client);
        if (TControl* inner = GraphicControlAt(client); inner && inner->DoContextPopup(screen, false)) return 0;
      }
      if (DoContextPopup(screen, keyboard)) return 0;
      break;
    }
    case WM_GETMINMAXINFO:
      if (!FParent) {
        const LRESULT r = DefaultHandler(msg, w, l);
        auto* info = reinterpret_cast<MINMAXINFO*>(l);
        if (FConstraints.MinWidth() > 0) info->ptMinTrackSize.x = FConstraints.MinWidth();
        if (FConstraints.MinHeight() > 0) info->ptMinTrackSize.y = FConstraints.MinHeight();
        if (FConstraints.MaxWidth() > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = FConstraints.MaxWidth();
        if (FConstraints.MaxHeight() > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = FConstraints.MaxHeight();
        return r;
      }
      break;
    case WM_KEYDOWN:
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(w);
        OnKeyDown(this, key, KeyboardShiftState());
        if (key == 0) return 0;
        w = key;
      }
      break;
    case WM_SETCURSOR:
      if (HCURSOR c = ScreenCursorHandle()) {
        ::SetCursor(c);
        return TRUE;
      }
      // The cursor of this control, or of the windowless control under
      // the mouse.
      if (reinterpret_cast<HWND>(w) == FHandle && LOWORD(l) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(FHandle, &p);
        TControl* over = GraphicControlAt(p);
        if (HCURSOR c = CursorHandle(over ? over->FCursor : FCursor)) {
          ::SetCursor(c);
          return TRUE;
        }
      }
      break;
    case WM_ERASEBKGND:
      if (FOwnClass) {
        RECT r;
        GetClientRect(FHandle, &r);
        PaintBackground(reinterpret_cast<HDC>(w), r);
        return 1;
      }
      break;
    case WM_PAINT:
      if (FOwnClass) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(FHandle, &ps);
        PaintControls(dc);
        EndPaint(FHandle, &ps);
        return 0;
      }
      break;
    case WM_MOUSEMOVE: {
      if (!FMouseInside) {
        FMouseInside = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&t);
        MouseEnter();
      }
      POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      TControl* over = GraphicControlAt(p);
      if (over != FMouseControl) {
        if (FMouseControl) FMouseControl->MouseLeave();
        FMouseControl = over;
        if (over) over->MouseEnter();
      }
      TControl* target = FCaptureControl ? FCaptureControl : over;
      if (target && target->FEnabled)
        target->DoMouseMove(MouseShift(w), p.x - target->FLeft, p.y - target->FTop);
      else
        DoMouseMove(MouseShift(w), p.x, p.y);
      break;
    }
    case WM_MOUSELEAVE:
      FMouseInside = false;
      if (FMouseControl) {
        TControl* c = FMouseControl;
        FMouseControl = nullptr;
        c->MouseLeave();
      }
      MouseLeave();
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      if (TControl* c = GraphicControlAt(p); c && c->FEnabled) {
        FCaptureControl = c;
        SetCapture(FHandle);
        c->MouseDown(p.x - c->FLeft, p.y - c->FTop);
        if (msg == WM_LBUTTONDBLCLK) c->MouseDblClick(p.x - c->FLeft, p.y - c->FTop);
        return 0;
      }
      break;
    }
    case WM_LBUTTONUP:
      if (FCaptureControl) {
        TControl* c = FCaptureControl;
        FCaptureControl = nullptr;
        ReleaseCapture();
        POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
        c->MouseUp(p.x - c->FLeft, p.y - c->FTop);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefaultHandler(msg, w, l);
}

void TWinControl::PaintBackground(HDC dc, const RECT& r) { FillRect(dc, &r, BackgroundBrush()); }

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : FControls) {
    if (dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    int saved = SaveDC(dc);
    SetViewportOrgEx(dc, c->FLeft, c->FTop, nullptr);
    IntersectClipRect(dc, 0, 0, c->FWidth, c->FHeight);
    c->PaintOn(dc);
    RestoreDC(dc, saved);
  }
}

HBRUSH TWinControl::CtlColor(HDC dc) {
  // Buttons, check boxes and group boxes show their parent's background.
  TControl* back = FParent ? static_cast<TControl*>(FParent) : this;
  SetBkColor(dc, ColorToRGB(back->Color()));
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  return back->BackgroundBrush();
}

void TWinControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
  if (root == this)
    for (int32_t i = 0; i < ComponentCount(); ++i)
      if (!dynamic_cast<TControl*>(Components(i))) proc(Components(i));
  const std::vector<TControl*> children(FControls);
  for (TControl* c : children)
    if (c->Owner() == root) proc(c);
}

void TWinControl::InsertControl(TControl* control) {
  control->FParent = this;
  FControls.push_back(control);
  if (control->FParentColor) control->TakeParentColor();
  if (control->FParentShowHint) control->TakeParentShowHint();
  auto* w = dynamic_cast<TWinControl*>(control);
  if (w && w->FParentCtl3D) w->TakeCtl3D(FCtl3D);
  if (control->FAlign != alNone) AlignControls();
  if (w) {
    FTabList.push_back(w);
    if (FHandle) w->CreateHandle();
  } else {
    control->Invalidate();
  }
  if (control->FParentFont) control->ParentFontChanged();
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->FParent != this) return;
  if (TCustomForm* f = ParentForm()) f->ControlRemoved(control);
  if (FMouseControl == control) FMouseControl = nullptr;
  if (FCaptureControl == control) {
    FCaptureControl = nullptr;
    if (FHandle && GetCapture() == FHandle) ReleaseCapture();
  }
  control->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    w->DestroyHandle();
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  control->FParent = nullptr;
  if (control->FAlign != alNone) AlignControls();
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, FWidth, FHeight};
  if (FHandle) GetClientRect(FHandle, &r);
  return r;
}

void TWinControl::AdjustClientRect(RECT& r) const { InflateRect(&r, -FBorderWidth, -FBorderWidth); }

void TWinControl::AlignControls() {
  if (FAligning) return;
  FAligning = true;
  struct Leave {
    bool& Flag;
    ~Leave() { Flag = false; }
  } leave{FAligning};

  RECT r = ClientRect();
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (FAlignWidth >= 0 && (width != FAlignWidth || height != FAlignHeight)) {
    const int dw = width - FAlignWidth;
    const int dh = height - FAlignHeight;
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
      if (c->FAlign != alNone) continue;
      const TAnchors a = c->FAnchors;
      int left = c->FLeft, top = c->FTop, w = c->FWidth, h = c->FHeight;
      // Kept to both edges it grows; to the far edge only it moves; to
      // neither it keeps its place relative to the middle.
      if (a & 1u << akRight) {
        if (a & 1u << akLeft) w += dw; else left += dw;
      } else if (!(a & 1u << akLeft)) {
        left += dw / 2;
      }
      if (a & 1u << akBottom) {
        if (a & 1u << akTop) h += dh; else top += dh;
      } else if (!(a & 1u << akTop)) {
        top += dh / 2;
      }
      c->SetBounds(left, top, w < 0 ? 0 : w, h < 0 ? 0 : h);
    }
  }
  FAlignWidth = width;
  FAlignHeight = height;

  AdjustClientRect(r);
  const std::vector<TControl*> children = FControls;
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* c : children) {
      if (c->FAlign != align || !c->FVisible) continue;
      const int w = std::max(0, static_cast<int>(r.right - r.left));
      const int h = std::max(0, static_cast<int>(r.bottom - r.top));
      switch (align) {
        case alTop:
          c->SetBounds(r.left, r.top, w, c->FHeight);
          r.top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(r.left, r.bottom - c->FHeight, w, c->FHeight);
          r.bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(r.left, r.top, c->FWidth, h);
          r.left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(r.right - c->FWidth, r.top, c->FWidth, h);
          r.right -= c->FWidth;
          break;
        default:
          c->SetBounds(r.left, r.top, w, h);
          break;
      }
    }
  }
}

void TWinControl::SetBorderWidth(int width) {
  if (width < 0) width = 0;
  if (width == FBorderWidth) return;
  FBorderWidth = width;
  AlignControls();
  Invalidate();
}

void TWinControl::SetCtl3D(bool v) {
  FParentCtl3D = false;
  TakeCtl3D(v);
}

void TWinControl::SetParentCtl3D(bool v) {
  FParentCtl3D = v;
  if (v && FParent) TakeCtl3D(FParent->FCtl3D);
}

void TWinControl::TakeCtl3D(bool v) {
  if (v != FCtl3D) {
    FCtl3D = v;
    // Only a window with a client edge looks different.
    TCreateParams p;
    CreateParams(p);
    if (p.ExStyle & WS_EX_CLIENTEDGE) RecreateWnd();
  }
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FParentCtl3D) w->TakeCtl3D(v);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& l = FParent->FTabList;
  return static_cast<int>(std::find(l.begin(), l.end(), this) - l.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!FParent) return;
  auto& l = FParent->FTabList;
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  if (order < 0 || order > static_cast<int>(l.size())) order = static_cast<int>(l.size());
  l.insert(l.begin() + order, this);
}

void TWinControl::SetTabStop(bool v) {
  FTabStop = v;
  if (FHandle) {
    LONG_PTR s = GetWindowLongPtrA(FHandle, GWL_STYLE);
    SetWindowLongPtrA(FHandle, GWL_STYLE, v ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* f = ParentForm(); f && f != this) {
    f->SetActiveControl(this);
    return;
  }
  if (FHandle) ::SetFocus(FHandle);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : FTabList) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward,
                                          bool checkTabStop) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* w = list[i];
    if (w->CanFocus() && (!checkTabStop || w->FTabStop) && w->FHandle) return w;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

bool TWinControl::WantsKey(WORD key, UINT code) const {
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  if (key == VK_TAB) return (code & DLGC_WANTTAB) != 0;
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
    return (code & DLGC_WANTARROWS) != 0;
  return false;
}

bool TWinControl::DialogKey(WORD key, TShiftState shift) {
  return FParent ? FParent->DialogKey(key, shift) : false;
}

bool TWinControl::DialogChar(char key) {
  for (TControl* c : FControls)
    if (c->Visible() && c->Enabled() && c->DialogChar(key)) return true;
  return false;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::BoundsChanged() {
  if (FHandle)
    SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged() {
  if (FHandle) ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (FHandle) EnableWindow(FHandle, FEnabled);
}

void TWinControl::FontChanged() {
  if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
}

void TWinControl::TextChanged() {
  if (FHandle) SetWindowTextA(FHandle, FText.c_str());
}

void TWinControl::ColorChanged() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::NameChanged() {
  if (!FHandle) return;
  if (FNameAtom) {
    RemovePropA(FHandle, kNameProp);
    GlobalDeleteAtom(FNameAtom);
    FNameAtom = 0;
  }
  if (!Name().empty()) {
    FNameAtom = GlobalAddAtomA(Name().c_str());
    SetPropA(FHandle, kNameProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(FNameAtom)));
  }
}

void TWinControl::HintChanged() {
  if (FHandle && Application) Application->UpdateHint(this);
}

AnsiString TWinControl::WindowText() const {
  if (!FHandle) return FText;
  int n = GetWindowTextLengthA(FHandle);
  AnsiString s(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(FHandle, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

void TGraphicControl::BoundsChanged() {
  Invalidate();
  HintChanged();
}

void TGraphicControl::HintChanged() {
  if (FParent && FParent->HandleAllocated() && Application) Application->UpdateHint(this);
}
