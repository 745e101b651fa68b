#pragma once
// A control with a window: it holds child controls and lays out the aligned
// and anchored ones, takes part in the tab order and the focus, and
// receives the window messages of its window. Standard Windows controls are
// subclassed; containers use a window class of this layer.
//
// Published (TWinControl::Info), besides TControl's: BorderWidth, Ctl3D,
// ParentCtl3D, TabStop and the events OnEnter, OnExit, OnKeyDown, OnKeyUp.
#include <vector>

#include "classlib/Control.h"

// Owner-draw messages the parent's window passes back to the child control,
// as CN_BASE + the message (WM_DRAWITEM, WM_MEASUREITEM).
constexpr UINT CN_BASE = 0xBC00;

struct TCreateParams {
  const char* ClassName = nullptr;  // null: the layer's container class
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  static const TClassInfo Info;
  const TClassInfo& ClassInfo() const override { return Info; }

  // The window, made when first needed (the parent's window must exist).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls.at(index); }

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v);

  virtual bool CanFocus() const;
  bool Focused() const;
  void SetFocus();

  // The windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  // The next focusable control after `current` among the descendants, or
  // null; with `wrap` it starts again at the other end.
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

  // Whether the control takes this key itself rather than leaving it to the
  // dialog keys of its form (Tab, Enter, Escape, arrows).
  virtual bool WantsKey(WORD key, UINT dialogCode) const;
  // A dialog key the control did not take: passed up to the form.
  virtual bool DialogKey(WORD key, TShiftState shift);
  // Offers the accelerator to the visible, enabled child controls in turn.
  bool DialogChar(char key) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

  // The margin inside the control that aligned children keep free.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int width);
  // Whether a control with a border draws it sunken (the client edge)
  // rather than as a flat line; setting it clears ParentCtl3D.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v);
  // The control takes its parent's Ctl3D, now and when it changes.
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool v);

  // Lays out the child controls: those aligned to an edge along it, in
  // their order among the children, top and bottom ones first, then left
  // and right ones, then the client one in what is left (the client area
  // less BorderWidth); those not aligned follow their anchors when the
  // client area changed size since the last layout.
  void AlignControls();
  // The client area: the window's, or the control's size without one.
  RECT ClientRect() const;

  // Messages of the window; the default passes them to the window's
  // original procedure.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

  // Child controls are kept by their parent in insertion order.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  // Streaming: the root hands over first the components it owns that are
  // not controls; then every control hands over its child controls that
  // the root owns, in the order they were inserted. Controls read back
  // inside a control's data belong to the root.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  TComponent* GetChildOwner() override { return nullptr; }

 protected:
  virtual void CreateParams(TCreateParams& params);
  void CreateHandle();
  virtual void CreateWnd();
  // Called once the window exists, before its children are made.
  virtual void HandleCreated() {}
  void DestroyHandle();
  // Makes the window again after a change of its creation style.
  void RecreateWnd();

  // Notifications that the parent's window passes back to the child.
  virtual void CommandNotify(WORD code) {}
  virtual LRESULT NotifyReflect(NMHDR* header) { return 0; }
  // WM_CTLCOLOR*: the brush for the control's background.
  virtual HBRUSH CtlColor(HDC dc);

  virtual void DoEnter();
  virtual void DoExit();

  // The text of the window, or the stored text while there is no window.
  AnsiString WindowText() const;
  // Paints the windowless children on the window's paint context.
  void PaintControls(HDC dc);
  // Paints the window's own background.
  virtual void PaintBackground(HDC dc, const RECT& r);
  // The part of the client area that aligned children share.
  virtual void AdjustClientRect(RECT& r) const;

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void TextChanged() override;
  void NameChanged() override;
  void HintChanged() override;
  void ColorChanged() override;

  HWND FHandle = nullptr;
  WNDPROC FDefProc = nullptr;
  int FBorderWidth = 0;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FTabStop = false;
  bool FOwnClass = false;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;

 private:
  static LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM w, LPARAM l);
  TControl* GraphicControlAt(POINT p) const;
  void AttachWindow(HWND h);
  void TakeCtl3D(bool v);

  bool FAligning = false;
  // The client size at the last layout (-1: none yet), for the anchors.
  int FAlignWidth = -1;
  int FAlignHeight = -1;

  ATOM FNameAtom = 0;
  bool FMouseInside = false;
  TControl* FMouseControl = nullptr;
  TControl* FCaptureControl = nullptr;

  friend class TControl;
  friend class TApplication;
};

// A windowless control painted by its parent.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

 protected:
  void BoundsChanged() override;
  void VisibleChanged() override { Invalidate(); }
  void TextChanged() override { Invalidate(); }
  void FontChanged() override { Invalidate(); }
  void ColorChanged() override { Invalidate(); }
  void EnabledChanged() override { Invalidate(); }
  void HintChanged() override;
};
