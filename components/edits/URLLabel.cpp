#include "components/edits/URLLabel.h"

#include <shellapi.h>

#include "classlib/OleSession.h"

namespace {
void shellOpen(const AnsiString& address) {
  EnsureOleInitialized();
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
}  // namespace

std::function<void(const AnsiString&)> TURLLabel::OpenAddress = shellOpen;

TURLLabel::TURLLabel(TComponent* owner) : TLabel(owner) {
  SetCursor(crHandPoint);
  Font().SetColor(FColStd);
  Font().SetStyle(Font().Style() | fsUnderline);
}

void TURLLabel::SetHTTPorMail(THTTPorMAIL v) {
  if (v == FHTTPorMail) return;
  FHTTPorMail = v;
  Invalidate();
}

void TURLLabel::SetColStd(TColor c) {
  if (c == FColStd) return;
  FColStd = c;
  Font().SetColor(c);
  Invalidate();
}

void TURLLabel::SetColPre(TColor c) {
  if (c == FColPre) return;
  FColPre = c;
  Invalidate();
}

AnsiString TURLLabel::Address() const {
  AnsiString caption = FText;
  AnsiString lower = caption;
  for (char& ch : lower) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
  if (lower.find("://") != AnsiString::npos || lower.compare(0, 7, "mailto:") == 0) return caption;
  return (FHTTPorMail == hmMAIL ? "mailto:" : "http://") + caption;
}

void TURLLabel::Click() {
  TLabel::Click();
  if (OpenAddress) OpenAddress(Address());
}

void TURLLabel::MouseDown(int x, int y) {
  Font().SetColor(FColPre);
  Invalidate();
}

void TURLLabel::MouseUp(int x, int y) {
  Font().SetColor(FColStd);
  Invalidate();
  if (x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
}

