#pragma once
// The abstract base of controls that wrap an embedded object: its name,
// the object, and its events by index.
#include <unknwn.h>

#include "classlib/WinControl.h"

class TCustomDCOleControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  virtual AnsiString GetOleName() = 0;
  virtual IUnknown* GetOleObject() = 0;
  virtual void SetEvent(int index, const AnsiString& name) = 0;
  virtual AnsiString GetEvent(int index) = 0;
};
