#include "app/forms/MyVersionInfo.h"

#include <cstdio>

#include "app/core/Settings.h"

MyVersionInfo::MyVersionInfo(const Settings& settings) { read(settings.programDir + "kelvora.exe"); }

MyVersionInfo::MyVersionInfo(const AnsiString& path) { read(path); }

void MyVersionInfo::read(const AnsiString& path) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return;
  FBlock.resize(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, FBlock.data())) {
    FBlock.clear();
    return;
  }
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(FBlock.data(), "\\VarFileInfo\\Translation", &value, &length) ||
      length < 4) {
    FBlock.clear();
    return;
  }
  const auto* pair = static_cast<const WORD*>(value);
  FTranslation = (static_cast<uint32_t>(pair[0]) << 16) | pair[1];
}

bool MyVersionInfo::query(const char* key, const char** text) const {
  if (FBlock.empty()) return false;
  char sub[128];
  std::snprintf(sub, sizeof sub, "\\StringFileInfo\\%08lx\\%s",
                static_cast<unsigned long>(FTranslation), key);
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(FBlock.data(), sub, &value, &length) || !value) return false;
  *text = static_cast<const char*>(value);
  return true;
}

bool MyVersionInfo::getFixedInfo(const VS_FIXEDFILEINFO** info) const {
  if (FBlock.empty()) return false;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(FBlock.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
    return false;
  *info = static_cast<const VS_FIXEDFILEINFO*>(value);
  return true;
}
