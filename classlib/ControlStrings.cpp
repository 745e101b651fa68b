#include "classlib/ControlStrings.h"

void TControlStrings::Changed() {
  if (FUpdating > 0) {
    FPending = true;
    return;
  }
  if (OnChange) OnChange();
}

void TControlStrings::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0 && FPending) {
    FPending = false;
    if (OnChange) OnChange();
  }
}

void TControlStrings::PutString(int32_t index, const AnsiString& s) {
  TStringList::PutString(index, s);
  Changed();
}

void TControlStrings::PutObject(int32_t index, TObject* object) {
  TStringList::PutObject(index, object);
}

void TControlStrings::InsertObject(int32_t index, const AnsiString& s, TObject* object) {
  TStringList::InsertObject(index, s, object);
  Changed();
}

void TControlStrings::Delete(int32_t index) {
  TStringList::Delete(index);
  Changed();
}

void TControlStrings::Clear() {
  TStringList::Clear();
  Changed();
}

int32_t TControlStrings::AddObject(const AnsiString& s, TObject* object) {
  int32_t i = TStringList::AddObject(s, object);
  Changed();
  return i;
}

void TControlStrings::Assign(const TPersistent& source) {
  BeginUpdate();
  try {
    TStringList::Assign(source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TControlStrings::SetText(const AnsiString& text) {
  BeginUpdate();
  try {
    TStrings::SetText(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TControlStrings::Load(const std::vector<AnsiString>& lines) {
  auto handler = std::move(OnChange);
  OnChange = nullptr;
  TStringList::Clear();
  for (const AnsiString& l : lines) TStringList::AddObject(l, nullptr);
  OnChange = std::move(handler);
}
