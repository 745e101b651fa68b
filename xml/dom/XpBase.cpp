#include "xml/dom/XpBase.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "classlib/Exception.h"

int32_t XpPos(const WideString& sub, const WideString& s) {
  if (sub.empty()) return 0;
  const size_t p = s.find(sub);
  return p == WideString::npos ? 0 : static_cast<int32_t>(p) + 1;
}

int32_t XpRPos(const WideString& sub, const WideString& s) {
  if (sub.empty()) return 0;
  const size_t p = s.rfind(sub);
  return p == WideString::npos ? 0 : static_cast<int32_t>(p) + 1;
}

bool XpStartsWith(const WideString& prefix, const WideString& s) {
  if (prefix.empty() || prefix.size() > s.size()) return false;
  return s.compare(0, prefix.size(), prefix) == 0;
}

namespace {

bool EqualsPrim(const WideString& a, const WideString& b, int32_t n, bool ignoreCase) {
  if (n < 1) return true;
  const size_t len = static_cast<size_t>(n);
  // Past the end of a text there is no character: both must end there.
  if ((a.size() < len || b.size() < len) && a.size() != b.size()) return false;
  const size_t m = std::min(len, a.size());
  for (size_t i = 0; i < m; ++i) {
    const char16_t x = ignoreCase ? WideUpCase(a[i]) : a[i];
    const char16_t y = ignoreCase ? WideUpCase(b[i]) : b[i];
    if (x != y) return false;
  }
  return true;
}

}  // namespace

bool XpStrEquals(const WideString& a, const WideString& b, int32_t n) { return EqualsPrim(a, b, n, false); }
bool XpStrIEquals(const WideString& a, const WideString& b, int32_t n) { return EqualsPrim(a, b, n, true); }

WideString XpCopy(const WideString& s, int32_t start, int32_t count) {
  if (start < 1 || count < 1 || static_cast<size_t>(start) > s.size()) return WideString();
  return s.substr(static_cast<size_t>(start) - 1, static_cast<size_t>(count));
}

WideString XpStringReplaceAll(const WideString& s, const WideString& oldText, const WideString& newText) {
  if (s.empty() || oldText.empty()) return s;
  WideString r;
  size_t from = 0;
  for (size_t p = s.find(oldText); p != WideString::npos; p = s.find(oldText, from)) {
    r.append(s, from, p - from);
    r += newText;
    from = p + oldText.size();
  }
  r.append(s, from, WideString::npos);
  return r;
}

AnsiString XpGetWord(const AnsiString& s) {
  const size_t p = s.find_first_of(" \r");
  return p == AnsiString::npos ? s : s.substr(0, p);
}

void XpDOMBufferAppend(const WideString& text, WideString& buffer, int32_t& used) {
  const size_t u = static_cast<size_t>(used);
  if (u + text.size() > buffer.size()) buffer.resize(buffer.size() * 2 + text.size());
  buffer.replace(u, text.size(), text);
  used += static_cast<int32_t>(text.size());
}

void XpDOMBufferInsert(const WideString& text, WideString& buffer, int32_t position, int32_t& used) {
  if (position < 1 || position > used + 1 || text.empty()) return;
  const size_t u = static_cast<size_t>(used);
  if (u + text.size() > buffer.size())
    buffer.resize(static_cast<size_t>(static_cast<double>(buffer.size()) * 1.2) + text.size());
  const size_t at = static_cast<size_t>(position) - 1;
  // Move the tail, then copy the text into the gap.
  std::copy_backward(buffer.begin() + static_cast<ptrdiff_t>(at), buffer.begin() + static_cast<ptrdiff_t>(u),
                     buffer.begin() + static_cast<ptrdiff_t>(u + text.size()));
  std::copy(text.begin(), text.end(), buffer.begin() + static_cast<ptrdiff_t>(at));
  used += static_cast<int32_t>(text.size());
}

void XpDOMBufferDelete(WideString& buffer, int32_t position, int32_t count, int32_t& used) {
  if (position < 1 || count < 1 || position - 1 + static_cast<int64_t>(count) > used) return;
  const size_t at = static_cast<size_t>(position) - 1;
  const size_t n = static_cast<size_t>(count);
  const size_t u = static_cast<size_t>(used);
  std::copy(buffer.begin() + static_cast<ptrdiff_t>(at + n), buffer.begin() + static_cast<ptrdiff_t>(u),
            buffer.begin() + static_cast<ptrdiff_t>(at));
  used -= count;
}

bool XpIsRelativePath(const AnsiString& path) {
  if (!path.empty() && path[0] == '.') return true;
  if (path.find(':') != AnsiString::npos) return false;
  const size_t p = path.find('\\');
  return p != AnsiString::npos && p >= 1;
}

AnsiString XpMakeFilePath(const AnsiString& folder, const AnsiString& name) {
  if (folder.empty()) return ".\\" + name;
  if (folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

AnsiString XpMakeAbsolutePath(const AnsiString& name, const AnsiString& base) {
  if (name.find(':') != AnsiString::npos) return name;
  const size_t p = base.find_last_of("\\:");
  const AnsiString folder = p == AnsiString::npos ? AnsiString() : base.substr(0, p + 1);
  return XpMakeFilePath(folder, name);
}

bool XpIsValidXPathNumber(const WideString& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (XpIsNumeric(c) || c == u'.') continue;
    if (c == u'-' && i == 0) continue;
    return false;
  }
  return true;
}

double XpStrToFloat(const WideString& s) {
  auto fail = [&s]() -> double { throw EConvertError(WideToAnsi(s) + " can't be converted to a valid XML number."); };
  if (!XpIsValidXPathNumber(s)) return fail();
  const std::string a(s.begin(), s.end());  // digits, "." and "-" only
  double v = 0;
  const auto [end, ec] = std::from_chars(a.data(), a.data() + a.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != a.data() + a.size()) return fail();
  return v;
}

WideString XpFloatToStr(double x) {
  if (std::isnan(x)) return u"NaN";
  if (std::isinf(x)) return x > 0 ? u"Infinity" : u"-Infinity";
  if (x == 0) return u"0";
  // Fixed notation with the fewest digits that read back as the same value;
  // the largest doubles need a little over 300 digits.
  char buf[400];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  if (ec != std::errc()) return u"NaN";
  return WideString(buf, end);
}

double XpCeiling(double x) { return std::ceil(x); }
double XpFloor(double x) { return std::floor(x); }
