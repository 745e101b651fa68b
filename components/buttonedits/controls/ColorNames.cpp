#include "components/buttonedits/controls/ColorNames.h"

#include <cstdio>
#include <cstdlib>

#include "classlib/Exception.h"

namespace {

constexpr TColorValue sys(int index) { return kSystemColorBit | index; }

constexpr TColorName kColors[kColorListCount] = {
    {0x000000, "clBlack"},         {0x000080, "clMaroon"},
    {0x008000, "clGreen"},         {0x008080, "clOlive"},
    {0x800000, "clNavy"},          {0x800080, "clPurple"},
    {0x808000, "clTeal"},          {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},        {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},          {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},          {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},          {0xFFFFFF, "clWhite"},
    {sys(0), "clScrollBar"},       {sys(1), "clBackground"},
    {sys(2), "clActiveCaption"},   {sys(3), "clInactiveCaption"},
    {sys(4), "clMenu"},            {sys(5), "clWindow"},
    {sys(6), "clWindowFrame"},     {sys(7), "clMenuText"},
    {sys(8), "clWindowText"},      {sys(9), "clCaptionText"},
    {sys(10), "clActiveBorder"},   {sys(11), "clInactiveBorder"},
    {sys(12), "clAppWorkSpace"},   {sys(13), "clHighlight"},
    {sys(14), "clHighlightText"},  {sys(15), "clBtnFace"},
    {sys(16), "clBtnShadow"},      {sys(17), "clGrayText"},
    {sys(18), "clBtnText"},        {sys(19), "clInactiveCaptionText"},
    {sys(20), "clBtnHighlight"},   {sys(21), "cl3DDkShadow"},
    {sys(22), "cl3DLight"},        {sys(23), "clInfoText"},
    {sys(24), "clInfoBk"},         {kColorNone, "clNone"},
};

// Digits of the given base only, at least one; the value fits 32 bits.
bool parseNumber(const AnsiString& digits, int base, TColorValue& out) {
  if (digits.empty() || digits.size() > (base == 16 ? 8u : 11u)) return false;
  char* end = nullptr;
  long long v = std::strtoll(digits.c_str(), &end, base);
  if (*end != '\0' || digits[0] == '+' || digits[0] == ' ') return false;
  if (base == 10 && (v < INT32_MIN || v > INT32_MAX)) return false;
  if (base == 16 && v > 0xFFFFFFFFLL) return false;
  out = static_cast<TColorValue>(static_cast<uint32_t>(v));
  return true;
}

}  // namespace

const TColorName* ColorList() { return kColors; }

bool ColorToIdent(TColorValue color, AnsiString& name) {
  for (const TColorName& c : kColors)
    if (c.Value == color) {
      name = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const AnsiString& name, TColorValue& color) {
  for (const TColorName& c : kColors)
    if (AnsiCompareText(name, c.Name) == 0) {
      color = c.Value;
      return true;
    }
  return false;
}

AnsiString ColorToString(TColorValue color) {
  AnsiString name;
  if (ColorToIdent(color, name)) return name;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(static_cast<uint32_t>(color)));
  return buf;
}

TColorValue StringToColor(const AnsiString& text) {
  TColorValue c = 0;
  if (IdentToColor(text, c)) return c;
  bool ok = !text.empty() && (text[0] == '$' ? parseNumber(text.substr(1), 16, c) : parseNumber(text, 10, c));
  if (!ok) throw EConvertError("'" + text + "' ist kein gültiger Farbwert");
  return c;
}
