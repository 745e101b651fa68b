#pragma once
// Reads the version information of the program file "kelvora.exe" in the
// program folder: its texts and its fixed numbers and flags.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "classlib/AnsiString.h"

struct Settings;

class MyVersionInfo {
 public:
  explicit MyVersionInfo(const Settings& settings);
  // Reads the version block of any file (for tests and other programs).
  explicit MyVersionInfo(const AnsiString& path);
  virtual ~MyVersionInfo() = default;

  bool getProductName(const char** text) const { return query("ProductName", text); }
  bool getFileVersion(const char** text) const { return query("FileVersion", text); }
  bool getLegalCopyright(const char** text) const { return query("LegalCopyright", text); }
  bool getFixedInfo(const VS_FIXEDFILEINFO** info) const;

 private:
  void read(const AnsiString& path);
  bool query(const char* key, const char** text) const;

  uint32_t FTranslation = 0;  // language high, code page low
  std::vector<uint8_t> FBlock;  // empty: no version information
};
