#include "classlib/Memo.h"

namespace {
// The window shows the lines joined by CR LF; n separators give n + 1 lines.
AnsiString joinLines(const TStrings& lines) {
  AnsiString s;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    if (i) s += "\r\n";
    s += lines.Strings(i);
  }
  return s;
}

std::vector<AnsiString> splitLines(const AnsiString& text) {
  std::vector<AnsiString> out;
  if (text.empty()) return out;
  size_t start = 0;
  for (;;) {
    size_t p = text.find("\r\n", start);
    if (p == AnsiString::npos) {
      out.push_back(text.substr(start));
      return out;
    }
    out.push_back(text.substr(start, p - start));
    start = p + 2;
  }
}
}  // namespace

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  FWidth = 185;
  FHeight = 89;
  FLines.OnChange = [this] { Push(); };
}

void TMemo::SetScrollBars(TScrollStyle s) {
  if (s == FScrollBars) return;
  PullIfTyped();
  FScrollBars = s;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  PullIfTyped();
  FWordWrap = v;
  RecreateWnd();
}

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style &= ~ES_AUTOHSCROLL;
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
}

void TMemo::HandleCreated() {
  TCustomEdit::HandleCreated();
  Push();
}

TControlStrings& TMemo::Lines() {
  PullIfTyped();
  return FLines;
}

AnsiString TMemo::Text() const {
  const_cast<TMemo*>(this)->PullIfTyped();
  return FLines.Text();
}

void TMemo::SetText(const AnsiString& text) {
  FTyped = false;
  FLines.SetText(text);
}

void TMemo::Push() {
  FTyped = false;
  FText = joinLines(FLines);
  if (FHandle) {
    FPushing = true;
    SetWindowTextA(FHandle, FText.c_str());
    FPushing = false;
  }
}

void TMemo::PullIfTyped() {
  if (!FTyped || !FHandle) return;
  FTyped = false;
  FLines.Load(splitLines(TCustomEdit::Text()));
}

void TMemo::CommandNotify(WORD code) {
  if (code == EN_CHANGE && !FPushing) {
    FTyped = true;
    Change();
  }
}

bool TMemo::WantsKey(WORD key, UINT code) const {
  switch (key) {
    case VK_RETURN: return FWantReturns;
    case VK_TAB: return FWantTabs;
    case VK_ESCAPE: return false;
    default: return true;
  }
}
