#pragma once
// Top-level forms: shown without blocking or run modally until a modal
// result is set. A form owns the focus bookkeeping of its controls and
// answers the dialog keys: Tab and Shift+Tab move through the tab order,
// Enter presses the default (or the focused) button, Escape the cancel
// button.
#include "classlib/WinControl.h"

class TButton;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TPosition { poDesigned, poDefault, poScreenCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle s);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition p) { FPosition = p; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }

  int ClientWidth();
  int ClientHeight();
  void SetClientSize(int width, int height);
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult r) { FModalResult = r; }
  bool Modal() const { return FModal; }

  // Non-modal show (placed by Position on the first show) and the modal run.
  void Show();
  TModalResult ShowModal();
  void Close();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  bool DialogKey(WORD key, TShiftState shift) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Kept up to date by the controls.
  void FocusChanged(TWinControl* control);
  void ControlRemoved(TControl* control);

 protected:
  void CreateParams(TCreateParams& params) override;
  void VisibleChanged() override;
  void BoundsChanged() override;

 private:
  void ApplyStyle();
  void PlaceOnFirstShow();
  TButton* FindButton(bool isDefault) const;

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  bool FModal = false;
  bool FPlaced = false;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};
