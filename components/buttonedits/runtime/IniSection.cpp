#include "components/buttonedits/runtime/IniSection.h"

#include "components/buttonedits/runtime/LibHelpers.h"
#include "components/buttonedits/runtime/StringHelpers.h"

#include <cstdio>

namespace {

bool ReadLines(const AnsiString& fileName, TStringList& lines) {
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (!f) return false;
  AnsiString text;
  char buf[4096];
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  lines.SetText(text);
  return true;
}

// The section's header line of `lines`, or -1.
int32_t FindSection(const TStrings& lines, const AnsiString& section) {
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const AnsiString l = TrimText(lines.Strings(i));
    if (l.size() >= 2 && l.front() == '[' && l.back() == ']' &&
        AnsiCompareText(TrimText(l.substr(1, l.size() - 2)), section) == 0)
      return i;
  }
  return -1;
}

bool IsSectionHeader(const AnsiString& line) {
  const AnsiString l = TrimText(line);
  return !l.empty() && l.front() == '[';
}

}  // namespace

bool ReadIniSection(const AnsiString& fileName, const AnsiString& section, TStrings& lines) {
  TStringList file;
  if (!ReadLines(fileName, file)) return false;
  const int32_t at = FindSection(file, section);
  if (at < 0) return false;
  lines.Clear();
  for (int32_t i = at + 1; i < file.Count() && !IsSectionHeader(file.Strings(i)); ++i) {
    const AnsiString l = TrimText(file.Strings(i));
    if (!l.empty() && l.front() != ';') lines.Add(l);
  }
  return true;
}

bool WriteIniSection(const AnsiString& fileName, const AnsiString& section, const TStrings& lines) {
  TStringList file;
  ReadLines(fileName, file);
  int32_t at = FindSection(file, section);
  if (at < 0) {
    file.Add("[" + section + "]");
    at = file.Count() - 1;
  }
  int32_t end = at + 1;
  while (end < file.Count() && !IsSectionHeader(file.Strings(end))) ++end;
  // Keep one blank line before the next section.
  const bool blankBefore = end < file.Count();
  for (int32_t i = end - 1; i > at; --i) file.Delete(i);
  int32_t insert = at + 1;
  for (int32_t i = 0; i < lines.Count(); ++i) file.Insert(insert++, lines.Strings(i));
  if (blankBefore) file.Insert(insert, "");
  return SaveStringToFile(fileName, file.Text());
}
