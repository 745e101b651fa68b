#include "app/forms/FormAccelerators.h"

#include "classlib/AnsiString.h"

void FormAccelerators::Bind(TControl* caption, TWinControl* target) {
  FBindings.emplace_back(caption, target);
}

void FormAccelerators::BindPages(TPageControl* pages) { FPages.push_back(pages); }

char FormAccelerators::MarkedLetter(const AnsiString& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return AnsiUpperChar(caption[i + 1]);
  }
  return 0;
}

bool FormAccelerators::Handle(char letter) {
  letter = AnsiUpperChar(letter);
  for (auto& [caption, target] : FBindings) {
    if (!caption->Showing() || MarkedLetter(caption->Caption()) != letter) continue;
    if (!target->CanFocus()) continue;
    target->SetFocus();
    return true;
  }
  for (TPageControl* pc : FPages) {
    for (int i = 0; i < pc->PageCount(); ++i) {
      if (MarkedLetter(pc->Pages(i)->Caption()) != letter) continue;
      pc->SetActivePageIndex(i);
      if (TWinControl* first = pc->Pages(i)->FindNextControl(nullptr, true, true)) first->SetFocus();
      return true;
    }
  }
  return false;
}
