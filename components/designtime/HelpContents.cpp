#include "components/designtime/HelpContents.h"

#include <fstream>
#include <iterator>

#include "classlib/StringList.h"
#include "components/buttonedits/runtime/StringHelpers.h"
#include "components/designtime/NameValue.h"

namespace {

const AnsiString kIndex = ":Index ";

// The file's lines (whatever ends them); none when it does not exist.
void ReadLines(const AnsiString& file, TStringList& lines) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  lines.SetText(AnsiString((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
}

bool WriteLines(const AnsiString& file, const TStringList& lines) {
  AnsiString text;
  for (int32_t i = 0; i < lines.Count(); ++i) text += lines.Strings(i) + "\r\n";
  return SaveStringToFile(file, text);
}

void RemoveLine(TStringList& lines, const AnsiString& helpFile) {
  const int32_t i = IndexOfValue(lines, helpFile);
  if (i >= 0) lines.Delete(i);
}

bool IsIndexLine(const AnsiString& line) { return line.compare(0, kIndex.size(), kIndex) == 0; }

}  // namespace

bool RemoveHelpFromCntFile(const AnsiString& helpFile, const AnsiString& contentsFile) {
  TStringList lines;
  ReadLines(contentsFile, lines);
  RemoveLine(lines, helpFile);
  return WriteLines(contentsFile, lines);
}

bool AddHelpToCntFile(const AnsiString& title, const AnsiString& helpFile, const AnsiString& contentsFile) {
  TStringList lines;
  ReadLines(contentsFile, lines);
  RemoveLine(lines, helpFile);
  int32_t at = 0;
  while (at < lines.Count() && !IsIndexLine(lines.Strings(at))) ++at;
  while (at < lines.Count() && IsIndexLine(lines.Strings(at))) ++at;
  lines.Insert(at, kIndex + title + " =" + helpFile);
  return WriteLines(contentsFile, lines);
}
