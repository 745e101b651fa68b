#pragma once
// A menu item: a caption ("-" for a separator line), an enabled state, a
// click event and its sub-items, which it frees with itself.
#include <vector>

#include "classlib/Control.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& caption) { FCaption = caption; }
  bool IsLine() const { return FCaption == "-"; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v) { FEnabled = v; }

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

  void Click();
  TNotifyEvent OnClick;

 private:
  AnsiString FCaption;
  bool FEnabled = true;
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};
