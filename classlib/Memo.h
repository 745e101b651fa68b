#pragma once
// A multi-line edit whose lines are a string list. The list is the memo's
// content: changes to it show at once, typing is taken back into it.
#include "classlib/ControlStrings.h"
#include "classlib/Edit.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  TControlStrings& Lines();
  AnsiString Text() const override;
  void SetText(const AnsiString& text) override;
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle s);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);

  bool WantsKey(WORD key, UINT dialogCode) const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void CommandNotify(WORD code) override;

 private:
  void Push();
  void PullIfTyped();

  TControlStrings FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
  bool FTyped = false;
  bool FPushing = false;
};
