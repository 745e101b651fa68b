#pragma once
// A settings file in the Windows profile format, read and written with the
// semantics of the profile functions: sections and keys compare without
// regard to letter case, values are trimmed, a missing file or key gives the
// default, writing creates the file and the section when needed.
#include <cstdint>
#include <string>
#include <vector>

namespace kel {

class IniFile {
public:
  // Reads the file; a missing or unreadable file is an empty one.
  explicit IniFile(const std::string& path);

  bool has(const std::string& section, const std::string& key) const;
  std::string getString(const std::string& section, const std::string& key,
                        const std::string& def) const;
  int32_t getInt(const std::string& section, const std::string& key, int32_t def) const;
  void set(const std::string& section, const std::string& key, const std::string& value);
  // Writes the whole file through a temporary file in the same folder.
  bool save() const;

private:
  int32_t findSection(const std::string& section) const;
  int32_t findKey(int32_t sectionLine, const std::string& key) const;

  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace kel
