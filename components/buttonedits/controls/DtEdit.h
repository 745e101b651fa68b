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
  // The value as text (empty in the no-value state), and a text as the
  // value: empty gives the no-value state, a text the kind cannot read
  // raises EConvertError.
  std::string GetText();
  void SetText(const std::string& text);
  // What the two kinds differ in: the picker's style, the value's text in
  // the user's format, and reading a text into the value (false when it is
  // not one of the kind).
  virtual bool TimeKind() const { return false; }
  virtual std::string FormatValue(const SYSTEMTIME& value) const = 0;
  virtual bool ParseValue(const std::string& text, SYSTEMTIME& value) const = 0;
  virtual const char* KindName() const = 0;
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
  std::string FormatValue(const SYSTEMTIME& value) const override;
  bool ParseValue(const std::string& text, SYSTEMTIME& value) const override;
  const char* KindName() const override { return "Datum"; }
};

class TDCTimeEdit : public TDCDtEdit {
 public:
  using TDCDtEdit::TDCDtEdit;

 protected:
  bool TimeKind() const override { return true; }
  std::string FormatValue(const SYSTEMTIME& value) const override;
  bool ParseValue(const std::string& text, SYSTEMTIME& value) const override;
  const char* KindName() const override { return "Zeitformat"; }
};
