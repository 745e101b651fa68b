#include "app/core/IniFile.h"

#include "app/core/FileSystem.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(line);
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
  if (!has(section, key)) return def;
  std::string v = getString(section, key, "");
  // Leading sign and digits count; anything else gives 0, like the profile function.
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) neg = v[i++] == '-';
  int64_t n = 0;
  while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])) && n < 0x100000000LL)
    n = n * 10 + (v[i++] - '0');
  return static_cast<int32_t>(static_cast<uint32_t>(neg ? -n : n));
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
