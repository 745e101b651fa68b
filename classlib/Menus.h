#pragma once
// A menu command as a component: a caption ("-" for a separator line),
// visibility, enabled state, check mark, the click that runs it, and its
// sub-items, which it frees with itself.
#include <functional>
#include <vector>

#include "classlib/Component.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& caption) { FCaption = caption; }
  bool IsLine() const { return FCaption == "-"; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool v) { FChecked = v; }

  int Count() const { return static_cast<int>(FItems.size()); }
  // Null outside 0..Count()-1.
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  int IndexOf(const TMenuItem* item) const;
  // Takes the item from the menu it was in.
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* item);
  // Frees every sub-item.
  void Clear();

  // Runs OnClick when the item is enabled.
  virtual void Click();
  std::function<void(TObject* sender)> OnClick;

 private:
  AnsiString FCaption;
  bool FVisible = true;
  bool FEnabled = true;
  bool FChecked = false;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};
