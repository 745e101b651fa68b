#pragma once
// Alt + the marked letter of a caption ("&Name der Schule:") focuses the
// control the caption stands for, or shows the page whose tab it marks.
// Captions on the shown page come before page tabs. The form hands it the
// characters of Alt + key (its DialogChar), as the system makes them after
// the key: the key itself goes on to the system, which so knows that Alt
// was not pressed alone and opens no menu when it is let go.
#include <utility>
#include <vector>

#include "classlib/Form.h"
#include "classlib/Label.h"
#include "classlib/PageControl.h"

class FormAccelerators {
 public:
  void Bind(TControl* caption, TWinControl* target);
  void BindPages(TPageControl* pages);
  // The marked letter of a caption (upper case), or 0.
  static char MarkedLetter(const AnsiString& caption);
  // Acts on Alt + letter (either case); true when a caption took it.
  bool Handle(char letter);

 private:
  std::vector<std::pair<TControl*, TWinControl*>> FBindings;
  std::vector<TPageControl*> FPages;
};
