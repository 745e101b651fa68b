#pragma once
// Inner editors of dates and times on the system's date-time picker: the
// value is exchanged as text; an empty text is the picker's no-value state
// and reads back empty.
#include "classlib/WinControl.h"

class TDCDtEdit : public TWinControl {
 public:
  explicit TDCDtEdit(TComponent* owner);
  bool Modified() const { return FModified; }
  bool Dropped() const { return FDropped; }
  void SetParent(TWinControl* parent) override;

  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual std::string GetText() = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual bool TimeKind() const { return false; }
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT NotifyReflect(NMHDR* header) override;
  // The picker's value, or false in its no-value state.
  bool Value(SYSTEMTIME& value);
  void SetValue(const SYSTEMTIME* value);

  bool FDropped = false;
  bool FModified = false;
  bool FParentedOnce = false;
  // The no-value state as last set or chosen (the picker's own check box
  // is not trusted to report it).
  bool FNoValue = false;
  std::string FPending;  // the text given before the picker exists
  bool FHasPending = false;
};

class TDCDateEdit : public TDCDtEdit {
 public:
  using TDCDtEdit::TDCDtEdit;

 protected:
  std::string GetText() override;
  void SetText(const std::string& text) override;
};

class TDCTimeEdit : public TDCDtEdit {
 public:
  using TDCDtEdit::TDCDtEdit;

 protected:
  bool TimeKind() const override { return true; }
  std::string GetText() override;
  void SetText(const std::string& text) override;
};
