#include "app/core/IniFile.h"

#include "app/core/FileSystem.h"
#include "classlib/AnsiString.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kel {

namespace {

std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool equalNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool isSectionLine(const std::string& line, std::string* name) {
  std::string t = trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = t.find(']');
  if (close == std::string::npos) return false;
  if (name) *name = trim(t.substr(1, close - 1));
  return true;
}

}  // namespace

IniFile::IniFile(const std::string& path) : path_(path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Like the profile functions: a UTF-8 or UTF-16 byte-order mark gives the
  // file's encoding (read into the program's code page), else it is 8-bit.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    text = WideToAnsi(Utf8ToWide(text.substr(3)));
  } else if (text.size() >= 2 && text.compare(0, 2, "\xFF\xFE") == 0) {
    WideString w;
    for (size_t i = 2; i + 1 < text.size(); i += 2)
      w.push_back(static_cast<char16_t>(static_cast<uint8_t>(text[i]) | static_cast<uint8_t>(text[i + 1]) << 8));
    text = WideToAnsi(w);
  }
  // CR LF, LF and CR alone each end a line.
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines_.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

int32_t IniFile::findSection(const std::string& section) const {
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (isSectionLine(lines_[i], &name) && equalNoCase(name, section)) return static_cast<int32_t>(i);
  return -1;
}

int32_t IniFile::findKey(int32_t sectionLine, const std::string& key) const {
  for (size_t i = static_cast<size_t>(sectionLine) + 1; i < lines_.size(); ++i) {
    if (isSectionLine(lines_[i], nullptr)) break;
    const std::string& l = lines_[i];
    size_t eq = l.find('=');
    if (eq == std::string::npos) continue;
    std::string t = trim(l);
    if (!t.empty() && t[0] == ';') continue;
    if (equalNoCase(trim(l.substr(0, eq)), key)) return static_cast<int32_t>(i);
  }
  return -1;
}

bool IniFile::has(const std::string& section, const std::string& key) const {
  int32_t s = findSection(section);
  return s >= 0 && findKey(s, key) >= 0;
}

std::string IniFile::getString(const std::string& section, const std::string& key,
                               const std::string& def) const {
  int32_t s = findSection(section);
  if (s < 0) return def;
  int32_t k = findKey(s, key);
  if (k < 0) return def;
  const std::string& l = lines_[static_cast<size_t>(k)];
  std::string v = trim(l.substr(l.find('=') + 1));
  if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return v;
}

int32_t IniFile::getInt(const std::string& section, const std::string& key, int32_t def) const {
  // The profile function reads the value into 30 characters, gives the
  // default for an empty one, and converts the rest as the system's string
  // to integer conversion does: an optional sign, a base prefix "0x", "0o"
  // or "0b" (lower case only), the digits of the base up to the first other
  // character, and wrapping modulo 2^32.
  std::string v = getString(section, key, "").substr(0, 29);
  if (v.empty()) return def;
  size_t i = 0;
  bool negative = false;
  if (v[0] == '-' || v[0] == '+') negative = v[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < v.size() && v[i] == '0') {
    const char p = v[i + 1];
    base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  uint32_t n = 0;
  for (; i < v.size(); ++i) {
    const char ch = v[i];
    const uint32_t digit = ch >= '0' && ch <= '9'   ? static_cast<uint32_t>(ch - '0')
                           : ch >= 'a' && ch <= 'z' ? static_cast<uint32_t>(ch - 'a' + 10)
                           : ch >= 'A' && ch <= 'Z' ? static_cast<uint32_t>(ch - 'A' + 10)
                                                    : 99;
    if (digit >= base) break;
    n = n * base + digit;
  }
  return static_cast<int32_t>(negative ? 0u - n : n);
}

void IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
  int32_t s = findSection(section);
  if (s < 0) {
    if (!lines_.empty() && !trim(lines_.back()).empty()) lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.push_back(key + "=" + value);
    return;
  }
  int32_t k = findKey(s, key);
  if (k >= 0) {
    lines_[static_cast<size_t>(k)] = key + "=" + value;
    return;
  }
  // Append after the section's last non-empty line.
  size_t end = static_cast<size_t>(s) + 1;
  size_t insertAt = end;
  for (; end < lines_.size() && !isSectionLine(lines_[end], nullptr); ++end)
    if (!trim(lines_[end]).empty()) insertAt = end + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), key + "=" + value);
}

bool IniFile::save() const {
  std::string bytes;
  for (const std::string& l : lines_) bytes += l + "\r\n";
  return WriteWholeFile(path_, bytes.data(), bytes.size());
}

}  // namespace kel
