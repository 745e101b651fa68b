#include "components/designtime/NameValue.h"

AnsiString ExtractNamePartEx(const AnsiString& text, char separator) {
  const size_t p = text.find(separator);
  return p == AnsiString::npos ? AnsiString() : text.substr(0, p);
}

AnsiString ExtractValuePartEx(const AnsiString& text, char separator) {
  const size_t p = text.find(separator);
  return p == AnsiString::npos ? AnsiString() : text.substr(p + 1);
}

AnsiString ExtractNamePart(const AnsiString& text) { return ExtractNamePartEx(text, '='); }

AnsiString ExtractValuePart(const AnsiString& text) { return ExtractValuePartEx(text, '='); }

int32_t IndexOfValue(const TStrings& strings, const AnsiString& value) {
  for (int32_t i = 0; i < strings.Count(); ++i)
    if (ExtractValuePart(strings.Strings(i)) == value) return i;
  return -1;
}

AnsiString Quote(const AnsiString& text, char c) { return c + text + c; }

AnsiString QuoteFileName(const AnsiString& file) { return Quote(file, '"'); }
