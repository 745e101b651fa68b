#include "components/edits/AdvEditFormat.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "classlib/AnsiString.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isAlphaNumeric(char c) {
  return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

AnsiString localeInfo(LCTYPE type, const char* fallback) {
  char buf[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf) <= 1) return fallback;
  return buf;
}

}  // namespace

char TAdvEditFormat::DecimalSeparator() { return localeInfo(LOCALE_SDECIMAL, ".")[0]; }
char TAdvEditFormat::ThousandSeparator() { return localeInfo(LOCALE_STHOUSAND, ",")[0]; }

bool TAdvEditFormat::IsInteger(const AnsiString& s) {
  size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
  if (i == s.size()) return false;
  for (; i < s.size(); ++i)
    if (!isDigit(s[i])) return false;
  return true;
}

bool TAdvEditFormat::IsNumber(const AnsiString& s) {
  char dec = DecimalSeparator(), th = ThousandSeparator();
  size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  bool digits = false, sep = false;
  for (; i < s.size(); ++i) {
    if (isDigit(s[i])) {
      digits = true;
    } else if (s[i] == dec && !sep) {
      sep = true;
    } else if (!(s[i] == th && !sep)) {
      return false;
    }
  }
  return digits;
}

double TAdvEditFormat::StrToFloatDef(const AnsiString& s) {
  char dec = DecimalSeparator(), th = ThousandSeparator();
  AnsiString t;
  for (char c : s) {
    if (c == th && th != dec) continue;
    t += c == dec ? '.' : c;
  }
  size_t b = t.find_first_not_of(' ');
  size_t e = t.find_last_not_of(' ');
  if (b == AnsiString::npos) return 0;
  t = t.substr(b, e - b + 1);
  char* end = nullptr;
  double v = std::strtod(t.c_str(), &end);
  if (end == t.c_str() || *end != 0 || !std::isfinite(v)) return 0;
  return v;
}

AnsiString TAdvEditFormat::FormatFloat(double v, int precision, bool grouped) {
  if (precision < 0) precision = 0;
  if (precision > 15) precision = 15;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", precision, v);
  AnsiString s = buf;
  AnsiString sign;
  if (!s.empty() && s[0] == '-') {
    sign = "-";
    s.erase(0, 1);
  }
  size_t dot = s.find('.');
  AnsiString ip = s.substr(0, dot);
  AnsiString fp = dot == AnsiString::npos ? AnsiString() : s.substr(dot + 1);
  if (grouped) {
    AnsiString g;
    int n = static_cast<int>(ip.size());
    for (int i = 0; i < n; ++i) {
      if (i > 0 && (n - i) % 3 == 0) g += ThousandSeparator();
      g += ip[i];
    }
    ip = g;
  }
  return sign + ip + (fp.empty() ? AnsiString() : AnsiString(1, DecimalSeparator()) + fp);
}

AnsiString TAdvEditFormat::MixedCase(const AnsiString& s) {
  static const char kSeparators[] = " \"$&'()*,-./:[\\]";
  AnsiString r = s;
  size_t n = r.size();
  for (size_t i = 0; i < n; ++i) {
    bool start = i == 0 || std::strchr(kSeparators, r[i - 1]) != nullptr;
    // "Mc" and "Mac" at the start and " Mc" inside start a new word.
    if (!start && i == 2 && AnsiUpperCase(r.substr(0, 2)) == "MC") start = true;
    if (!start && i == 3 && AnsiUpperCase(r.substr(0, 3)) == "MAC") start = true;
    if (!start && i >= 3 && AnsiUpperCase(r.substr(i - 3, 3)) == " MC") start = true;
    r[i] = start ? AnsiUpperChar(r[i]) : AnsiLowerChar(r[i]);
  }
  // Roman numerals at the end: " I" and " II".
  for (const char* tail : {" II", " I"}) {
    size_t len = std::strlen(tail);
    if (n >= len && AnsiUpperCase(r.substr(n - len)) == tail) {
      for (size_t i = n - len + 1; i < n; ++i) r[i] = AnsiUpperChar(r[i]);
      break;
    }
  }
  return r;
}

bool TAdvEditFormat::FilterChar(TAdvEditType type, char& key, const AnsiString& validChars) {
  bool control = key == '\b' || key == '\t' || key == '\r';
  switch (type) {
    case etString:
    case etPassword:
    case etMixedCase:
      return true;
    case etNumeric:
      return isDigit(key) || control;
    case etFloat:
    case etMoney:
      if (key == ThousandSeparator()) return false;
      return isDigit(key) || control;
    case etUppercase:
      key = AnsiUpperChar(key);
      return true;
    case etLowerCase:
      key = AnsiLowerChar(key);
      return true;
    case etRange:
      return isDigit(key) || control || key == ',' || key == '-' || key == ';';
    case etHex:
      return control || isDigit(key) || key == '-' || (key >= 'A' && key <= 'F') ||
             (key >= 'a' && key <= 'f');
    case etAlphaNumeric:
      return control || isAlphaNumeric(key);
    case etValidChars:
      return key == '\b' || validChars.find(key) != AnsiString::npos;
  }
  return true;
}

bool TAdvEditFormat::FilterPaste(TAdvEditType type, AnsiString& v, bool isSigned, int precision,
                                 const AnsiString& validChars) {
  switch (type) {
    case etString:
    case etPassword:
    case etRange:
    case etHex:
      return true;
    case etNumeric:
      return IsInteger(v) && v[0] != '+' && (isSigned || v[0] != '-');
    case etFloat:
    case etMoney:
      return IsNumber(v) && (precision > 0 || v.find(DecimalSeparator()) == AnsiString::npos) &&
             (isSigned || v[0] != '-');
    case etUppercase:
      v = AnsiUpperCase(v);
      return true;
    case etLowerCase:
      v = AnsiLowerCase(v);
      return true;
    case etMixedCase:
      v = MixedCase(v);
      return true;
    case etAlphaNumeric:
      for (char c : v)
        if (!isAlphaNumeric(c)) return false;
      return true;
    case etValidChars:
      for (char c : v)
        if (validChars.find(c) == AnsiString::npos) return false;
      return true;
  }
  return true;
}
