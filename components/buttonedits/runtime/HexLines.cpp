#include "components/buttonedits/runtime/HexLines.h"

#include "components/buttonedits/runtime/FileCalls.h"

void BytesToHexLines(const std::vector<uint8_t>& bytes, TStrings& lines) {
  static const char digits[] = "0123456789ABCDEF";
  lines.Clear();
  AnsiString line;
  for (size_t i = 0; i < bytes.size(); ++i) {
    line += digits[bytes[i] >> 4];
    line += digits[bytes[i] & 15];
    if (line.size() == 64) {
      lines.Add(line);
      line.clear();
    }
  }
  if (!line.empty()) lines.Add(line);
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool HexLinesToBytes(const TStrings& lines, std::vector<uint8_t>& bytes) {
  AnsiString digits;
  for (int32_t i = 0; i < lines.Count(); ++i) digits += lines.Strings(i);
  if (digits.size() % 2 != 0) return false;
  std::vector<uint8_t> out;
  out.reserve(digits.size() / 2);
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int hi = HexValue(digits[i]);
    const int lo = HexValue(digits[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<uint8_t>(hi << 4 | lo));
  }
  bytes = std::move(out);
  return true;
}

AnsiString FileBakName(const AnsiString& fileName) {
  const auto sep = fileName.find_last_of("\\/:");
  const auto dot = fileName.find_last_of('.');
  if (dot == AnsiString::npos || (sep != AnsiString::npos && dot < sep)) return fileName + ".~";
  // "." + "~" + the extension's first characters: four characters in all.
  return fileName.substr(0, dot) + ".~" + fileName.substr(dot + 1, 2);
}

bool RenameToBak(const AnsiString& fileName) {
  if (!filecalls::FileExists(fileName)) return true;
  const AnsiString bak = FileBakName(fileName);
  if (filecalls::FileExists(bak) && !filecalls::RemoveFile(bak)) return false;
  return filecalls::RenameFile(fileName, bak);
}
