#pragma once
// The link look of an edit: a value that looks like a web or mail address
// is shown underlined in the link colour, the pointer over it is a hand,
// and a click opens it.
#include <functional>

#include "classlib/AnsiString.h"
#include "classlib/Font.h"
#include "classlib/Persistent.h"

using TURLClickEvent = std::function<void(TObject* sender, const AnsiString& url, bool& show)>;

class TEditLinkMode {
 public:
  // Contains "://", an "@" after at least one character, or starts with
  // "www." in any case.
  static bool LooksLikeURL(const AnsiString& text);

  bool Shown() const { return FShown; }
  // Puts the look on or takes it off the font; the font colour it had
  // before is kept in `normalColor` and given back.
  void Apply(bool on, TFont& font, TColor linkColor, TColor& normalColor);
  // A click on the address: `onClick` may keep it from being opened.
  static void Click(TObject* sender, const AnsiString& url, const TURLClickEvent& onClick,
                    const std::function<void(const AnsiString&)>& open);

 private:
  bool FShown = false;
};
