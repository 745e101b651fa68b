#include "components/designtime/UninstallEntries.h"

#include <vector>

namespace {

const AnsiString kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

AnsiString EntryKey(const AnsiString& product) { return kUninstall + "\\" + product; }

// Opens an existing key; null when it does not open.
HKEY OpenKey(const AnsiString& key, REGSAM access) {
  HKEY h = nullptr;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, access, &h) == ERROR_SUCCESS ? h : nullptr;
}

// Deletes key below parent after its subkeys, deepest first.
bool DeleteKeyTree(HKEY parent, const AnsiString& key) {
  HKEY h = nullptr;
  LONG rc = RegOpenKeyExA(parent, key.c_str(), 0, KEY_ALL_ACCESS, &h);
  if (rc == ERROR_FILE_NOT_FOUND) return true;
  if (rc != ERROR_SUCCESS) return false;
  std::vector<AnsiString> subkeys;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    rc = RegEnumKeyExA(h, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    subkeys.emplace_back(name, size);
  }
  bool ok = rc == ERROR_NO_MORE_ITEMS;
  for (const AnsiString& sub : subkeys) ok = DeleteKeyTree(h, sub) && ok;
  RegCloseKey(h);
  return ok && RegDeleteKeyA(parent, key.c_str()) == ERROR_SUCCESS;
}

bool SetValue(const AnsiString& key, const AnsiString& name, const BYTE* data, DWORD size, DWORD type) {
  HKEY h = CreateRegKey(HKEY_LOCAL_MACHINE, key);
  if (!h) return false;
  const bool ok = RegSetValueExA(h, name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
  RegCloseKey(h);
  return ok;
}

}  // namespace

HKEY CreateRegKey(HKEY root, const AnsiString& key) {
  HKEY h = nullptr;
  return RegCreateKeyExA(root, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &h,
                         nullptr) == ERROR_SUCCESS
             ? h
             : nullptr;
}

bool ChangeRegStrValue(HKEY key, const AnsiString& name, const AnsiString& value) {
  return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool AddUnInstaller(const AnsiString& product, const AnsiString& uninstallCommand) {
  HKEY h = CreateRegKey(HKEY_LOCAL_MACHINE, EntryKey(product));
  if (!h) return false;
  const bool ok = ChangeRegStrValue(h, "DisplayName", product) && ChangeRegStrValue(h, "UninstallString", uninstallCommand);
  RegCloseKey(h);
  return ok;
}

bool AddUnInstallInfo(const AnsiString& product, const AnsiString& name, const AnsiString& value) {
  return SetValue(EntryKey(product), name, reinterpret_cast<const BYTE*>(value.c_str()),
                  static_cast<DWORD>(value.size() + 1), REG_SZ);
}

AnsiString GetUnInstallInfo(const AnsiString& product, const AnsiString& name) {
  HKEY h = OpenKey(EntryKey(product), KEY_READ);
  if (!h) return AnsiString();
  AnsiString value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(h, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0) {
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(h, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) ==
        ERROR_SUCCESS)
      value = buffer.data();  // up to the first zero, whether or not the value carried one
  }
  RegCloseKey(h);
  return value;
}

bool IsAppInstalled(const AnsiString& product) {
  HKEY h = OpenKey(EntryKey(product), KEY_READ);
  if (!h) return false;
  RegCloseKey(h);
  return true;
}

bool RemoveUnInstaller(const AnsiString& product) {
  HKEY parent = OpenKey(kUninstall, KEY_ALL_ACCESS);
  if (!parent) return false;
  const bool ok = DeleteKeyTree(parent, product);
  RegFlushKey(parent);
  RegCloseKey(parent);
  return ok;
}

bool AddUnInstallFilesInfo(const AnsiString& product, const TStrings& files) {
  HKEY h = CreateRegKey(HKEY_LOCAL_MACHINE, EntryKey(product) + "\\Files");
  if (!h) return false;
  bool ok = true;
  const DWORD zero = 0;
  for (int32_t i = 0; i < files.Count(); ++i)
    ok = RegSetValueExA(h, files.Strings(i).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                        sizeof zero) == ERROR_SUCCESS &&
         ok;
  RegCloseKey(h);
  return ok;
}

bool GetUninstallFilesInfo(const AnsiString& product, TStrings& files) {
  HKEY h = OpenKey(EntryKey(product) + "\\Files", KEY_READ);
  if (!h) return false;
  DWORD longest = 0;
  RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                   nullptr);
  std::vector<char> name(longest + 2);
  for (DWORD i = 0;; ++i) {
    DWORD size = static_cast<DWORD>(name.size());
    if (RegEnumValueA(h, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    files.Add(AnsiString(name.data(), size));
  }
  RegCloseKey(h);
  return true;
}

bool RemoveUninstallFilesInfo(const AnsiString& product) {
  HKEY h = OpenKey(EntryKey(product), KEY_ALL_ACCESS);
  if (!h) return false;
  const bool ok = DeleteKeyTree(h, "Files");
  RegCloseKey(h);
  return ok;
}
