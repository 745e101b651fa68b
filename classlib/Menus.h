#pragma once
// A menu command as a component: caption, visibility, enabled state, check
// mark and the click that runs it.
#include <functional>

#include "classlib/Component.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& caption) { FCaption = caption; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v) { FChecked = v; }

  // Runs OnClick when the item is enabled.
  virtual void Click();
  std::function<void(TObject* sender)> OnClick;

 private:
  AnsiString FCaption;
  bool FVisible = true;
  bool FEnabled = true;
  bool FChecked = false;
};
