#pragma once
// A control whose keys are dispatched through a named key mapping: a table
// of key combinations, possibly two-key sequences, bound to methods. The
// mapping's initialiser is looked up by the control's class name and the
// mapping's name; without one the control's default mapping is used.
#include "classlib/WinControl.h"
#include "components/buttonedits/controls/KeySequenceList.h"

class TDCCustomControl : public TWinControl {
 public:
  explicit TDCCustomControl(TComponent* owner);

  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  // Characters are converted to the OEM code page before InsertChar.
  bool OemConvert() const { return FOemConvert; }
  void SetOemConvert(bool v) { FOemConvert = v; }
  const AnsiString& KeyMapping() const { return FKeyMapping; }
  void SetKeyMapping(const AnsiString& name);
  TKeySequenceList& KeyList() { return FKeyList; }
  // The class name under which key-mapping initialisers are registered.
  virtual const char* KeyMapClassName() const { return "TDCCustomControl"; }

  // Fills the key list again: the registered initialiser of the mapping,
  // else the default mapping.
  virtual void UpdateKeyMapping();

  bool WantsKey(WORD key, UINT dialogCode) const override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual void InitDefaultKeyMapping() = 0;
  // A typed character; true when the control took it.
  virtual bool InsertChar(char c) { return false; }
  // True when the key was taken by the key list.
  bool KeyDown(WORD& key, TShiftState shift);
  void CreateParams(TCreateParams& params) override;

  bool FWantTabs = false;
  bool FWantReturns = true;
  bool FOemConvert = false;
  bool FKeyHandled = false;
  // The character of the key the list took last is still to come.
  bool FSwallowChar = false;
  AnsiString FKeyMapping;
  TKeySequenceList FKeyList;
};
