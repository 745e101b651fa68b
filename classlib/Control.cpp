#include "classlib/Control.h"

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/PopupMenu.h"
#include "classlib/WinControl.h"

namespace {

constexpr const char* kAlignNames[] = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"};
const TTypeInfo kAlignType{tkEnumeration, "TAlign", otUByte, 0, 5, kAlignNames};
constexpr const char* kAnchorNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
const TTypeInfo kAnchorKindType{tkEnumeration, "TAnchorKind", otUByte, 0, 3, kAnchorNames};
const TTypeInfo kAnchorsType{tkSet, "TAnchors", otUByte, 0, 0, nullptr, &kAnchorKindType};
constexpr const char* kDragModeNames[] = {"dmManual", "dmAutomatic"};
const TTypeInfo kDragModeType{tkEnumeration, "TDragMode", otUByte, 0, 1, kDragModeNames};
const TClassTypeInfo kConstraintsType(TSizeConstraints::Info);
const TClassTypeInfo kPopupMenuType(TPopupMenu::Info);

constexpr TParamData kKeyParams[] = {{0, "Sender", "TObject"}, {pfVar, "Key", "Word"}, {0, "Shift", "TShiftState"}};
constexpr TParamData kMouseParams[] = {{0, "Sender", "TObject"}, {0, "Button", "TMouseButton"},
                                       {0, "Shift", "TShiftState"}, {0, "X", "Integer"}, {0, "Y", "Integer"}};
constexpr TParamData kMouseMoveParams[] = {
    {0, "Sender", "TObject"}, {0, "Shift", "TShiftState"}, {0, "X", "Integer"}, {0, "Y", "Integer"}};
constexpr TParamData kContextPopupParams[] = {
    {0, "Sender", "TObject"}, {0, "MousePos", "TPoint"}, {pfVar, "Handled", "Boolean"}};
constexpr TParamData kDragOverParams[] = {{0, "Sender", "TObject"}, {0, "Source", "TObject"},
                                          {0, "X", "Integer"},      {0, "Y", "Integer"},
                                          {0, "State", "TDragState"}, {pfVar, "Accept", "Boolean"}};
constexpr TParamData kDragDropParams[] = {
    {0, "Sender", "TObject"}, {0, "Source", "TObject"}, {0, "X", "Integer"}, {0, "Y", "Integer"}};
constexpr TParamData kStartDragParams[] = {{0, "Sender", "TObject"}, {pfVar, "DragObject", "TDragObject"}};
constexpr TParamData kEndDragParams[] = {
    {0, "Sender", "TObject"}, {0, "Target", "TObject"}, {0, "X", "Integer"}, {0, "Y", "Integer"}};
const TTypeInfo kKeyEvent = MethodTypeInfo("TKeyEvent", mkProcedure, kKeyParams);
const TTypeInfo kMouseEvent = MethodTypeInfo("TMouseEvent", mkProcedure, kMouseParams);
const TTypeInfo kMouseMoveEvent = MethodTypeInfo("TMouseMoveEvent", mkProcedure, kMouseMoveParams);
const TTypeInfo kContextPopupEvent = MethodTypeInfo("TContextPopupEvent", mkProcedure, kContextPopupParams);
const TTypeInfo kDragOverEvent = MethodTypeInfo("TDragOverEvent", mkProcedure, kDragOverParams);
const TTypeInfo kDragDropEvent = MethodTypeInfo("TDragDropEvent", mkProcedure, kDragDropParams);
const TTypeInfo kStartDragEvent = MethodTypeInfo("TStartDragEvent", mkProcedure, kStartDragParams);
const TTypeInfo kEndDragEvent = MethodTypeInfo("TEndDragEvent", mkProcedure, kEndDragParams);

TPropInfo ColorProp() {
  TPropInfo p = OrdProp<&TControl::Color, &TControl::SetColor>("Color", TypeInfoInteger());
  p.Stored = [](const TObject& o) { return !static_cast<const TControl&>(o).ParentColor(); };
  return p;
}

TPropInfo ShowHintProp() {
  TPropInfo p = OrdProp<&TControl::ShowHint, &TControl::SetShowHint>("ShowHint", TypeInfoBoolean());
  p.Stored = [](const TObject& o) { return !static_cast<const TControl&>(o).ParentShowHint(); };
  return p;
}

const TPropInfo kControlProps[] = {
    OrdProp<&TControl::Left, &TControl::SetLeft>("Left", TypeInfoInteger()),
    OrdProp<&TControl::Top, &TControl::SetTop>("Top", TypeInfoInteger()),
    OrdProp<&TControl::Width, &TControl::SetWidth>("Width", TypeInfoInteger()),
    OrdProp<&TControl::Height, &TControl::SetHeight>("Height", TypeInfoInteger()),
    OrdProp<&TControl::Align, &TControl::SetAlign>("Align", kAlignType, alNone),
    OrdProp<&TControl::Anchors, &TControl::SetAnchors>("Anchors", kAnchorsType, DefaultAnchors),
    ObjProp<&TControl::Constraints>("Constraints", kConstraintsType),
    ColorProp(),
    OrdProp<&TControl::DragCursor, &TControl::SetDragCursor>("DragCursor", TypeInfoInteger(), crDrag),
    OrdProp<&TControl::DragMode, &TControl::SetDragMode>("DragMode", kDragModeType, dmManual),
    OrdProp<&TControl::Enabled, &TControl::SetEnabled>("Enabled", TypeInfoBoolean(), 1),
    StrProp<&TControl::Hint, &TControl::SetHint>("Hint"),
    OrdProp<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor", TypeInfoBoolean(), 0),
    OrdProp<&TControl::ParentShowHint, &TControl::SetParentShowHint>("ParentShowHint", TypeInfoBoolean(), 1),
    RefProp<&TControl::PopupMenu, &TControl::SetPopupMenu>("PopupMenu", kPopupMenuType),
    ShowHintProp(),
    OrdProp<&TControl::Visible, &TControl::SetVisible>("Visible", TypeInfoBoolean(), 1),
};

const TEventInfo kControlEvents[] = {
    EventProp<&TControl::OnClick>("OnClick", TypeInfoNotifyEvent()),
    EventProp<&TControl::OnContextPopup>("OnContextPopup", kContextPopupEvent),
    EventProp<&TControl::OnDragDrop>("OnDragDrop", kDragDropEvent),
    EventProp<&TControl::OnDragOver>("OnDragOver", kDragOverEvent),
    EventProp<&TControl::OnEndDrag>("OnEndDrag", kEndDragEvent),
    EventProp<&TControl::OnMouseDown>("OnMouseDown", kMouseEvent),
    EventProp<&TControl::OnMouseMove>("OnMouseMove", kMouseMoveEvent),
    EventProp<&TControl::OnMouseUp>("OnMouseUp", kMouseEvent),
    EventProp<&TControl::OnResize>("OnResize", TypeInfoNotifyEvent()),
    EventProp<&TControl::OnStartDrag>("OnStartDrag", kStartDragEvent),
};

// The drag under way: its source, the object OnStartDrag gave, the control
// under the mouse and whether it accepts, and the window holding the mouse.
struct DragState {
  TControl* Source = nullptr;
  TObject* Object = nullptr;
  TControl* Target = nullptr;
  bool Accepted = false;
  HWND Capture = nullptr;
};
DragState gDrag;

// The screen point in the control's coordinates.
POINT ScreenToControl(TControl* control, POINT p) {
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->HandleAllocated()) ScreenToClient(w->Handle(), &p);
    return p;
  }
  if (TWinControl* parent = control->Parent(); parent && parent->HandleAllocated()) {
    ScreenToClient(parent->Handle(), &p);
    p.x -= control->Left();
    p.y -= control->Top();
  }
  return p;
}

}  // namespace

const TClassInfo TControl::Info =
    PublishClass<TControl>("TControl", "Controls", TComponent::Info, kControlProps, kControlEvents);

const TTypeInfo& TypeInfoKeyEvent() { return kKeyEvent; }
const TTypeInfo& TypeInfoMouseEvent() { return kMouseEvent; }
const TTypeInfo& TypeInfoMouseMoveEvent() { return kMouseMoveEvent; }
const TTypeInfo& TypeInfoContextPopupEvent() { return kContextPopupEvent; }
const TTypeInfo& TypeInfoDragOverEvent() { return kDragOverEvent; }
const TTypeInfo& TypeInfoDragDropEvent() { return kDragDropEvent; }
const TTypeInfo& TypeInfoStartDragEvent() { return kStartDragEvent; }
const TTypeInfo& TypeInfoEndDragEvent() { return kEndDragEvent; }

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  return s;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FBrush.SetColor(FColor);
  FConstraints.OnChange = [this] { SetBounds(FLeft, FTop, FWidth, FHeight); };
  FFont.OnChange = [this] {
    FParentFont = false;
    FontChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
      for (TControl* c : w->FControls)
        if (c->FParentFont) c->ParentFontChanged();
    }
  };
}

TControl::~TControl() {
  FFont.OnChange = nullptr;
  FConstraints.OnChange = nullptr;
  // A drag of this control ends without events: the object is going.
  if (gDrag.Source == this) {
    const HWND capture = gDrag.Capture;
    gDrag = DragState{};
    if (GetCapture() == capture) ReleaseCapture();
  }
  if (gDrag.Target == this) gDrag.Target = nullptr;
  SetPopupMenu(nullptr);
  if (Application) Application->ControlDestroyed(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* windowed = dynamic_cast<TWinControl*>(parent)) SetParent(windowed);
}

TCustomForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = FConstraints.ConstrainWidth(width);
  height = FConstraints.ConstrainHeight(height);
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  auto* self = dynamic_cast<TWinControl*>(this);
  if (!self) Invalidate();
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
  if (resized && self) self->AlignControls();
  // An aligned control moved or resized by hand: the siblings make room.
  if (FParent && FAlign != alNone) FParent->AlignControls();
  if (resized) Resize();
}

void TControl::SetAlign(TAlign align) {
  if (align == FAlign) return;
  FAlign = align;
  if (FParent) FParent->AlignControls();
}

void TControl::SetAnchors(TAnchors anchors) { FAnchors = anchors & 0x0F; }

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  FVisible = visible;
  VisibleChanged();
  if (FParent && FAlign != alNone) FParent->AlignControls();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == FEnabled) return;
  FEnabled = enabled;
  EnabledChanged();
}

void TControl::SetParentFont(bool v) {
  FParentFont = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent) return;
  auto handler = std::move(FFont.OnChange);
  FFont.OnChange = nullptr;
  FFont.Assign(FParent->Font());
  FFont.OnChange = std::move(handler);
  FParentFont = true;
  FontChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    for (TControl* c : w->FControls)
      if (c->FParentFont) c->ParentFontChanged();
  }
}

void TControl::SetColor(TColor c) {
  FParentColor = false;
  FColor = c;
  FBrush.SetColor(c);
  ColorChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* child : w->FControls)
      if (child->FParentColor) child->TakeParentColor();
}

void TControl::SetParentColor(bool v) {
  FParentColor = v;
  if (v) TakeParentColor();
}

void TControl::TakeParentColor() {
  if (!FParent) return;
  SetColor(FParent->FColor);
  FParentColor = true;
}

void TControl::SetHint(const AnsiString& hint) {
  FHint = hint;
  HintChanged();
}

void TControl::SetShowHint(bool v) {
  FParentShowHint = false;
  FShowHint = v;
  HintChanged();
  if (auto* w = dynamic_cast<TWinControl*>(this))
    for (TControl* child : w->FControls)
      if (child->FParentShowHint) child->TakeParentShowHint();
}

void TControl::SetParentShowHint(bool v) {
  FParentShowHint = v;
  if (v) TakeParentShowHint();
}

void TControl::TakeParentShowHint() {
  if (!FParent) return;
  SetShowHint(FParent->FShowHint);
  FParentShowHint = true;
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::DoMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (button == mbLeft && FDragMode == dmAutomatic && FEnabled) BeginDrag();
}

void TControl::DoMouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DoMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TControl::DoContextPopup(POINT screenPos, bool fromKeyboard) {
  POINT local = fromKeyboard ? POINT{-1, -1} : ScreenToControl(this, screenPos);
  bool handled = false;
  if (OnContextPopup) OnContextPopup(this, local, handled);
  if (handled) return true;
  if (!FPopupMenu) return false;
  if (fromKeyboard) {
    // Asked for with the keyboard: the menu opens at the control's top left.
    POINT origin{0, 0};
    POINT zero = ScreenToControl(this, origin);
    screenPos = POINT{-zero.x, -zero.y};
  }
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(screenPos.x, screenPos.y);
  return true;
}

// --- dragging --------------------------------------------------------------

bool TControl::Dragging() const { return gDrag.Source == this; }

void TControl::BeginDrag() {
  if (gDrag.Source) return;
  auto* window = dynamic_cast<TWinControl*>(this);
  if (!window) window = FParent;
  if (!window || !window->HandleAllocated()) return;
  gDrag = DragState{this, nullptr, nullptr, false, window->Handle()};
  TObject* object = nullptr;
  DoStartDrag(object);
  if (gDrag.Source != this) return;  // the handler ended it
  gDrag.Object = object;
  SetCapture(gDrag.Capture);
  ::SetCursor(CursorHandle(crNoDrop));
}

void TControl::EndDrag(bool drop) {
  if (gDrag.Source != this) return;
  const DragState drag = gDrag;
  gDrag = DragState{};
  if (GetCapture() == drag.Capture) ReleaseCapture();
  TObject* source = drag.Object ? drag.Object : drag.Source;
  POINT screen;
  GetCursorPos(&screen);
  TControl* target = nullptr;
  POINT at{0, 0};
  if (drag.Target) {
    const POINT p = ScreenToControl(drag.Target, screen);
    if (drop && drag.Accepted) {
      target = drag.Target;
      at = p;
      target->DragDrop(source, p.x, p.y);
    } else {
      drag.Target->DragOver(source, p.x, p.y, dsDragLeave);
    }
  }
  ::SetCursor(CursorHandle(crArrow));
  DoEndDrag(target, at.x, at.y);
}

bool TControl::DragOver(TObject* source, int x, int y, TDragState state) {
  if (!OnDragOver) return false;
  bool accept = true;
  OnDragOver(this, source, x, y, state, accept);
  return accept;
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoStartDrag(TObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

bool TControl::DragMessage(TWinControl& window, UINT msg, WPARAM, LPARAM l) {
  if (!gDrag.Source || gDrag.Capture != window.FHandle) return false;
  TControl* source = gDrag.Source;
  switch (msg) {
    case WM_MOUSEMOVE: {
      POINT screen{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      ClientToScreen(window.FHandle, &screen);
      // The enabled control of this program under the point.
      TControl* target = nullptr;
      for (HWND h = WindowFromPoint(screen); h && !target; h = GetParent(h)) target = FindControl(h);
      if (auto* w = dynamic_cast<TWinControl*>(target)) {
        POINT client = screen;
        ScreenToClient(w->FHandle, &client);
        if (TControl* inner = w->GraphicControlAt(client)) target = inner;
      }
      if (target && !target->FEnabled) target = nullptr;
      TObject* object = gDrag.Object ? gDrag.Object : source;
      TDragState state = dsDragMove;
      if (target != gDrag.Target) {
        if (TControl* old = gDrag.Target) {
          const POINT p = ScreenToControl(old, screen);
          gDrag.Target = nullptr;
          old->DragOver(object, p.x, p.y, dsDragLeave);
          if (gDrag.Source != source) return true;
        }
        gDrag.Target = target;
        state = dsDragEnter;
      }
      gDrag.Accepted = false;
      if (target) {
        const POINT p = ScreenToControl(target, screen);
        const bool accepted = target->DragOver(object, p.x, p.y, state);
        if (gDrag.Source != source) return true;
        gDrag.Accepted = accepted;
      }
      ::SetCursor(CursorHandle(gDrag.Accepted ? source->FDragCursor : crNoDrop));
      return true;
    }
    case WM_SETCURSOR:
      ::SetCursor(CursorHandle(gDrag.Accepted ? source->FDragCursor : crNoDrop));
      return true;
    case WM_LBUTTONUP:
      source->EndDrag(true);
      return true;
    case WM_RBUTTONDOWN:
    case WM_CANCELMODE:
      source->EndDrag(false);
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(l) != window.FHandle) source->EndDrag(false);
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE:
      return true;
    default:
      return false;
  }
}

void TControl::SetText(const AnsiString& text) {
  if (text == Text()) return;
  FText = text;
  TextChanged();
}

void TControl::SetName(const AnsiString& name) {
  TComponent::SetName(name);
  NameChanged();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) {
    if (w->HandleAllocated()) InvalidateRect(w->FHandle, nullptr, TRUE);
  } else if (FParent && FParent->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->FHandle, &r, TRUE);
  }
}

bool TControl::ContainsPoint(POINT p) const {
  return p.x >= FLeft && p.y >= FTop && p.x < FLeft + FWidth && p.y < FTop + FHeight;
}

HBRUSH TControl::BackgroundBrush() { return FBrush.Handle(); }

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

TControl* FindControl(HWND window) {
  if (!window) return nullptr;
  return static_cast<TControl*>(static_cast<TWinControl*>(GetPropA(window, "KelControl")));
}

AnsiString ControlNameOf(HWND window) {
  ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, "KelName")));
  if (!atom) return AnsiString();
  char buf[256];
  UINT n = GlobalGetAtomNameA(atom, buf, sizeof buf);
  return AnsiString(buf, n);
}

bool IsAccel(char key, const AnsiString& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return AnsiUpperChar(caption[i + 1]) == AnsiUpperChar(key);
  }
  return false;
}
