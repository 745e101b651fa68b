#pragma once
// Alt + the marked letter of a caption ("&Name der Schule:") focuses the
// control the caption stands for, or shows the page whose tab it marks.
// Captions on the shown page come before page tabs; the form keeps its own
// key preview handler.
#include <utility>
#include <vector>

#include "classlib/Form.h"
#include "classlib/Label.h"
#include "classlib/PageControl.h"

class FormAccelerators {
 public:
  explicit FormAccelerators(TCustomForm* form);
  void Bind(TControl* caption, TWinControl* target);
  void BindPages(TPageControl* pages);
  // The marked letter of a caption (upper case), or 0.
  static char MarkedLetter(const AnsiString& caption);
  // Acts on Alt + letter; true when a caption took it.
  bool Handle(char letter);

 private:
  TCustomForm* FForm;
  std::vector<std::pair<TControl*, TWinControl*>> FBindings;
  std::vector<TPageControl*> FPages;
};
