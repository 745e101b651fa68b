#include "components/buttonedits/controls/TextMarkup.h"

AnsiString ExtractBoldPos(const AnsiString& text, int32_t& start, int32_t& length) {
  size_t first = text.find(SBoldTag);
  if (first == AnsiString::npos) {
    start = 0;
    length = 0;
    return text;
  }
  AnsiString plain = text.substr(0, first);
  size_t second = text.find(SBoldTag, first + 1);
  start = static_cast<int32_t>(first + 1);
  if (second == AnsiString::npos) {
    length = static_cast<int32_t>(text.size() - first - 1);
    plain += text.substr(first + 1);
  } else {
    length = static_cast<int32_t>(second - first - 1);
    plain += text.substr(first + 1, second - first - 1);
    plain += text.substr(second + 1);
  }
  return plain;
}

AnsiString ExtractColumn(const AnsiString& text, size_t& position) {
  if (position >= text.size()) {
    position = text.size();
    return AnsiString();
  }
  size_t bar = text.find('|', position);
  AnsiString column;
  if (bar == AnsiString::npos) {
    column = text.substr(position);
    position = text.size();
  } else {
    column = text.substr(position, bar - position);
    position = bar + 1;
  }
  return column;
}

bool CheckTextIsOn(const AnsiString& text) {
  if (text.empty()) return false;
  char c = text[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}
