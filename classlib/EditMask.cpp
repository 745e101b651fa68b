#include "classlib/EditMask.h"

#include <algorithm>

namespace {

bool isLetter(char c) {
  auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
  // The letters of Windows-1252 above 0x7F (Š, Œ, Ž, š, œ, ž, Ÿ and À..ÿ
  // without × and ÷).
  if (u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9A || u == 0x9C || u == 0x9E || u == 0x9F)
    return true;
  return u >= 0xC0 && u != 0xD7 && u != 0xF7;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

TEditMask::TEditMask(const AnsiString& mask) {
  // The last two ";"-separated fields are the save flag and the blank.
  AnsiString body = mask;
  size_t last = body.rfind(';');
  if (last != AnsiString::npos && last > 0 && body[last - 1] != '\\') {
    size_t prev = body.rfind(';', last - 1);
    if (prev != AnsiString::npos && (prev == 0 || body[prev - 1] != '\\')) {
      FSaveLiterals = body.substr(prev + 1, last - prev - 1) != "0";
      if (last + 1 < body.size()) FBlank = body[last + 1];
      body.resize(prev);
    } else {
      FSaveLiterals = body.substr(last + 1) != "0";
      body.resize(last);
    }
  }
  CaseMode mode = cmNone;
  for (size_t i = 0; i < body.size(); ++i) {
    char c = body[i];
    Position p;
    switch (c) {
      case '0': case 'L': case 'A': case 'C':
        p.required = true;
        [[fallthrough]];
      case '9': case '#': case 'l': case 'a': case 'c':
        p.kind = c;
        p.caseMode = mode;
        break;
      case '\\':
        if (i + 1 >= body.size()) continue;
        p.literal = body[++i];
        break;
      case '!':
        FRightToLeft = true;
        continue;
      case '>':
        mode = cmUpper;
        continue;
      case '<':
        if (i + 1 < body.size() && body[i + 1] == '>') {
          ++i;
          mode = cmNone;
        } else {
          mode = cmLower;
        }
        continue;
      case '_':
        p.literal = ' ';
        break;
      default:
        p.literal = c;
    }
    FPositions.push_back(p);
  }
}

bool TEditMask::Accept(int p, char& c) const {
  if (!IsEditable(p)) return false;
  const Position& pos = FPositions[static_cast<size_t>(p)];
  bool ok;
  switch (pos.kind) {
    case '0': case '9':
      ok = isDigit(c);
      break;
    case '#':
      ok = isDigit(c) || c == '+' || c == '-';
      break;
    case 'L': case 'l':
      ok = isLetter(c);
      break;
    case 'A': case 'a':
      ok = isLetter(c) || isDigit(c);
      break;
    default:
      ok = static_cast<unsigned char>(c) >= 32;
  }
  if (!ok) return false;
  if (pos.caseMode == cmUpper) c = AnsiUpperCase(AnsiString(1, c))[0];
  if (pos.caseMode == cmLower) c = AnsiLowerCase(AnsiString(1, c))[0];
  return true;
}

int TEditMask::NextEditable(int p) const {
  if (p < 0) p = 0;
  while (p < Size() && !IsEditable(p)) ++p;
  return p;
}

int TEditMask::PreviousEditable(int p) const {
  if (p > Size()) p = Size();
  --p;
  while (p >= 0 && !IsEditable(p)) --p;
  return p;
}

AnsiString TEditMask::EmptyValue() const {
  AnsiString v(FPositions.size(), ' ');
  for (int p = 0; p < Size(); ++p)
    if (!IsEditable(p)) v[p] = FPositions[p].literal;
  return v;
}

AnsiString TEditMask::EditText(const AnsiString& value) const {
  AnsiString s = value;
  s.resize(FPositions.size(), ' ');
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p) && s[p] == ' ') s[p] = FBlank;
  return s;
}

AnsiString TEditMask::Text(const AnsiString& value) const {
  AnsiString s;
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p) || FSaveLiterals)
      s += p < static_cast<int>(value.size()) ? value[p] : ' ';
  return s;
}

AnsiString TEditMask::ValueFromEditText(const AnsiString& editText) const {
  AnsiString v = EmptyValue();
  for (int p = 0; p < Size() && p < static_cast<int>(editText.size()); ++p) {
    char c = editText[p];
    if (IsEditable(p) && c != FBlank && Accept(p, c)) v[p] = c;
  }
  return v;
}

AnsiString TEditMask::ValueFromText(const AnsiString& text) const {
  if (FSaveLiterals) return ValueFromEditText(text);
  // Without literals the characters fill the editable positions in turn,
  // from the right with "!".
  AnsiString v = EmptyValue();
  std::vector<int> editable;
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p)) editable.push_back(p);
  size_t n = std::min(text.size(), editable.size());
  size_t first = FRightToLeft ? editable.size() - n : 0;
  size_t from = FRightToLeft ? text.size() - n : 0;
  for (size_t i = 0; i < n; ++i) {
    int p = editable[first + i];
    char c = text[from + i];
    if (c != ' ' && Accept(p, c)) v[p] = c;
  }
  return v;
}

bool TEditMask::Filled(const AnsiString& value) const {
  for (int p = 0; p < Size(); ++p)
    if (IsEditable(p) && (p >= static_cast<int>(value.size()) || value[p] == ' ')) return false;
  return true;
}

bool TEditMask::Valid(const AnsiString& value) const {
  for (int p = 0; p < Size(); ++p)
    if (IsRequired(p) && (p >= static_cast<int>(value.size()) || value[p] == ' ')) return false;
  return true;
}
