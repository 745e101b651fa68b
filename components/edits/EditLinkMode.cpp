#include "components/edits/EditLinkMode.h"

#include "classlib/AnsiString.h"

bool TEditLinkMode::LooksLikeURL(const AnsiString& text) {
  if (text.find("://") != AnsiString::npos) return true;
  size_t at = text.find('@');
  if (at != AnsiString::npos && at >= 1) return true;
  return AnsiUpperCase(text.substr(0, 4)) == "WWW.";
}

void TEditLinkMode::Apply(bool on, TFont& font, TColor linkColor, TColor& normalColor) {
  if (on == FShown) return;
  FShown = on;
  if (on) {
    normalColor = font.Color();
    font.SetStyle(font.Style() | fsUnderline);
    font.SetColor(linkColor);
  } else {
    font.SetStyle(font.Style() & ~fsUnderline);
    font.SetColor(normalColor);
  }
}

void TEditLinkMode::Click(TObject* sender, const AnsiString& url, const TURLClickEvent& onClick,
                          const std::function<void(const AnsiString&)>& open) {
  bool show = true;
  if (onClick) onClick(sender, url, show);
  if (show && open) open(url);
}
