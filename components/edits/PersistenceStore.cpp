#include "components/edits/PersistenceStore.h"

#include <windows.h>

#include <cstring>
#include <vector>

AnsiString TPersistenceStore::Read(const AnsiString& name, const AnsiString& def) const {
  std::vector<char> buf(4096);
  if (!FRegistry) {
    GetPrivateProfileStringA(FSection.c_str(), name.c_str(), def.c_str(), buf.data(),
                             static_cast<DWORD>(buf.size()), FFile.c_str());
    return buf.data();
  }
  HKEY h;
  AnsiString path = FKey + "\\" + FSection;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return def;
  DWORD size = static_cast<DWORD>(buf.size() - 1), type = 0;
  LONG r = RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                            &size);
  RegCloseKey(h);
  if (r != ERROR_SUCCESS || type != REG_SZ) return def;
  return AnsiString(buf.data(), strnlen(buf.data(), size));
}

void TPersistenceStore::Write(const AnsiString& name, const AnsiString& value) const {
  if (!FRegistry) {
    WritePrivateProfileStringA(FSection.c_str(), name.c_str(), value.c_str(), FFile.c_str());
    return;
  }
  HKEY h;
  AnsiString path = FKey + "\\" + FSection;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(h);
}
