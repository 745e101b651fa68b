#pragma once
// The string list behind a control's items or lines: a string list that
// reports every change so the control can show it. Changes between
// BeginUpdate and EndUpdate are reported once.
#include <functional>

#include "classlib/StringList.h"

class TControlStrings : public TStringList {
 public:
  void PutString(int32_t index, const AnsiString& s) override;
  void PutObject(int32_t index, TObject* object) override;
  void InsertObject(int32_t index, const AnsiString& s, TObject* object) override;
  void Delete(int32_t index) override;
  void Clear() override;
  int32_t AddObject(const AnsiString& s, TObject* object) override;
  void Assign(const TPersistent& source) override;
  // Replaces the entries by the lines of `text`, reported once.
  void SetText(const AnsiString& text);

  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();
  // Replaces the entries without reporting (the control already shows them).
  void Load(const std::vector<AnsiString>& lines);

  std::function<void()> OnChange;

 private:
  void Changed();
  int FUpdating = 0;
  bool FPending = false;
};
