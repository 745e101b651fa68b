#pragma once
// Base of every visual control: owner and parent, bounds, alignment and
// anchors within the parent, size limits, visibility, enabling, font,
// colour, hint, caption, context menu, dragging between controls and the
// mouse and click events. Windowed controls derive from TWinControl,
// windowless ones from TGraphicControl.
//
// Published (TControl::Info): Left, Top, Width, Height, Align, Anchors,
// Constraints, Color, DragCursor, DragMode, Enabled, Hint, ParentColor,
// ParentShowHint, PopupMenu, ShowHint, Visible and the events OnClick,
// OnContextPopup, OnDragDrop, OnDragOver, OnEndDrag, OnMouseDown,
// OnMouseMove, OnMouseUp, OnResize, OnStartDrag.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "classlib/AnsiString.h"
#include "classlib/Brush.h"
#include "classlib/Color.h"
#include "classlib/Component.h"
#include "classlib/Font.h"
#include "classlib/Screen.h"
#include "classlib/SizeConstraints.h"
#include "classlib/TypInfo.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// Where a control sits in its parent's client area: placed by hand, or
// along an edge (taking the whole width or height there), or filling what
// the others leave.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// The parent's edges a control keeps its distance to when the parent is
// resized (bits by TAnchorKind); anchored to both opposite edges it grows.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = uint8_t;
constexpr TAnchors DefaultAnchors = 1u << akLeft | 1u << akTop;
// dmAutomatic: pressing the left button on the control starts dragging it.
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// The point is in the control's coordinates; (-1, -1) when the menu was
// asked for with the keyboard. Setting `handled` keeps the PopupMenu shut.
using TContextPopupEvent = std::function<void(TObject* sender, POINT mousePos, bool& handled)>;
// `source`: the object OnStartDrag gave, else the dragged control.
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TStartDragEvent = std::function<void(TObject* sender, TObject*& dragObject)>;
// `target` is the control dropped on, null when the drag was cancelled or
// refused.
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;

// The types of the control events, for the event tables.
const TTypeInfo& TypeInfoKeyEvent();
const TTypeInfo& TypeInfoMouseEvent();
const TTypeInfo& TypeInfoMouseMoveEvent();
const TTypeInfo& TypeInfoContextPopupEvent();
const TTypeInfo& TypeInfoDragOverEvent();
const TTypeInfo& TypeInfoDragDropEvent();
const TTypeInfo& TypeInfoStartDragEvent();
const TTypeInfo& TypeInfoEndDragEvent();

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                       mrYesToAll = 10;

// The shift state of the keyboard now.
TShiftState KeyboardShiftState();
// Whether the caption marks the key as its accelerator ("&S" for S or s;
// "&&" is a plain "&").
bool IsAccel(char key, const AnsiString& caption);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  // Read back inside a windowed control's data: that control is the parent.
  void SetParentComponent(TComponent* parent) override;
  // The form that contains the control (the control itself for a form).
  TCustomForm* ParentForm() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors anchors);
  // Width and height are kept within these (the control's own size, and
  // what alignment gives it).
  TSizeConstraints* Constraints() const { return &FConstraints; }

  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible with every parent up to a shown window.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);

  TFont& Font() { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool v);
  TColor Color() const { return FColor; }
  // Setting the colour clears ParentColor.
  void SetColor(TColor c);
  // The control takes its parent's colour, now and when it changes.
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool v);
  const AnsiString& Hint() const { return FHint; }
  void SetHint(const AnsiString& hint);
  bool ShowHint() const { return FShowHint; }
  // Setting ShowHint clears ParentShowHint.
  void SetShowHint(bool v);
  // The control takes its parent's ShowHint, now and when it changes.
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool v);
  // Shown (after OnContextPopup) when the context menu is asked for.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);
  // The cursor over the control (crDefault: its window's own).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor) { FCursor = cursor; }

  // Caption and Text are one value: the control's text.
  virtual AnsiString Text() const { return FText; }
  virtual void SetText(const AnsiString& text);
  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& text) { SetText(text); }

  void SetName(const AnsiString& name) override;

  virtual void Click();
  // An Alt+character offered to the controls of a form in turn: true when
  // the control takes it as its accelerator (nothing here).
  virtual bool DialogChar(char key) { return false; }
  void Invalidate();
  // The control's rectangle in its parent's client area.
  bool ContainsPoint(POINT parentPoint) const;

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  // After the width or height changed.
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;

  // Dragging a control onto another: while the mouse moves, the control
  // under it is asked (OnDragOver) whether it accepts; the cursor is the
  // source's DragCursor over one that does, crNoDrop elsewhere. Releasing
  // the left button drops onto an accepting control (its OnDragDrop), then
  // the source hears OnEndDrag; the right button, a lost mouse capture or
  // EndDrag(false) cancel.
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode mode) { FDragMode = mode; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor cursor) { FDragCursor = cursor; }
  // Starts dragging the control (nothing while a drag runs).
  void BeginDrag();
  // Ends a drag of this control: dropping where it is, or cancelling.
  void EndDrag(bool drop);
  bool Dragging() const;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;

  // Brush of the control's colour (for backgrounds).
  HBRUSH BackgroundBrush();

  // Mouse handling for controls without a window; the windowed parent
  // passes the messages on in the control's coordinates.
  virtual void MouseDown(int x, int y) {}
  virtual void MouseUp(int x, int y) {}
  // The second press of a double click (after its MouseDown).
  virtual void MouseDblClick(int x, int y) {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Paints a windowless control on the canvas its parent gives it (origin at
  // the control's top left corner).
  virtual void PaintOn(HDC dc) {}

 protected:
  // Fires OnResize.
  virtual void Resize();
  // Fire the mouse events; with dmAutomatic the left button's press starts
  // dragging the control.
  void DoMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void DoMouseMove(TShiftState shift, int x, int y);
  void DoMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // OnContextPopup, then the PopupMenu at the screen point; true when the
  // request was taken.
  bool DoContextPopup(POINT screenPos, bool fromKeyboard);
  // Whether the control accepts what is dragged over it (OnDragOver; no
  // handler refuses).
  virtual bool DragOver(TObject* source, int x, int y, TDragState state);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DoStartDrag(TObject*& dragObject);
  virtual void DoEndDrag(TObject* target, int x, int y);
  // Mouse and capture messages of the window that a drag runs through;
  // true when the drag took the message.
  static bool DragMessage(TWinControl& window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Notification(TComponent* component, TOperation operation) override;

  virtual void BoundsChanged() {}
  virtual void VisibleChanged() {}
  virtual void EnabledChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() {}
  virtual void TextChanged() {}
  virtual void NameChanged() {}
  virtual void HintChanged() {}
  // Called when the parent's font changes and the control takes it.
  void ParentFontChanged();

  AnsiString FText;
  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FParentFont = true;
  bool FShowHint = false;
  TColor FColor = clBtnFace;
  AnsiString FHint;
  TCursor FCursor = crDefault;
  TFont FFont;
  TBrush FBrush;
  TAlign FAlign = alNone;
  TAnchors FAnchors = DefaultAnchors;
  mutable TSizeConstraints FConstraints;
  bool FParentColor = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;

 private:
  // The parent's colour or ShowHint, without clearing the Parent... flag.
  void TakeParentColor();
  void TakeParentShowHint();

  friend class TWinControl;
};

// Finds the control object of a window of this layer (null for others).
TControl* FindControl(HWND window);
// The component name a window of this layer carries (empty for others).
AnsiString ControlNameOf(HWND window);
