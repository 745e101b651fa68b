#include "app/core/PortablePlatform.h"

#include "app/core/IniFile.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <random>

namespace kel {

namespace fs = std::filesystem;

bool MatchesWildcard(const std::string& name, const std::string& pattern) {
  size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string PortablePlatform::moduleFileName() {
  std::error_code ec;
  fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.string();
}

std::vector<std::string> PortablePlatform::findFiles(const std::string& pattern) {
  std::vector<std::string> out;
  size_t sep = pattern.find_last_of("/\\");
  std::string folder = sep == std::string::npos ? "." : pattern.substr(0, sep);
  std::string mask = sep == std::string::npos ? pattern : pattern.substr(sep + 1);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_directory(ec)) continue;
    std::string name = it->path().filename().string();
    if (MatchesWildcard(name, mask)) out.push_back(name);
  }
  return out;
}

std::string PortablePlatform::getProfileString(const std::string& section, const std::string& key,
                                               const std::string& def, const std::string& file) {
  return IniFile(file).getString(section, key, def);
}

int32_t PortablePlatform::getProfileInt(const std::string& section, const std::string& key,
                                        int32_t def, const std::string& file) {
  return IniFile(file).getInt(section, key, def);
}

bool PortablePlatform::writeProfileString(const std::string& section, const std::string& key,
                                          const std::string& value, const std::string& file) {
  IniFile ini(file);
  ini.set(section, key, value);
  return ini.save();
}

std::string PortablePlatform::createGuidString() {
  std::random_device rd;
  std::mt19937_64 gen((static_cast<uint64_t>(rd()) << 32) ^ rd() ^
                      static_cast<uint64_t>(std::time(nullptr)));
  uint8_t b[16];
  for (uint8_t& x : b) x = static_cast<uint8_t>(gen());
  b[6] = static_cast<uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
  b[8] = static_cast<uint8_t>((b[8] & 0x3F) | 0x80);  // variant
  char s[40];
  std::snprintf(s, sizeof s,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12],
                b[13], b[14], b[15]);
  return s;
}

int32_t PortablePlatform::messageBox(const std::string& text, const std::string& title,
                                     uint32_t flags) {
  std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
  return 1;  // IDOK
}

void PortablePlatform::beep() {}

void PortablePlatform::setMainWindowTitle(const std::string&) {}

CalendarDate PortablePlatform::today() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

bool PortablePlatform::pathExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::exists(path, ec);
}

bool PortablePlatform::createFolder(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(path, ec) || fs::is_directory(path, ec);
}

bool PortablePlatform::removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool PortablePlatform::replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

#ifndef _WIN32
Platform& defaultPlatform() {
  static PortablePlatform p;
  return p;
}
#endif

}  // namespace kel
