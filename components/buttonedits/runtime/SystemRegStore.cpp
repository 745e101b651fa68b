#include "components/buttonedits/runtime/SystemRegStore.h"

namespace {

TSystemRegStore& Shared() {
  static TSystemRegStore store;
  return store;
}

struct KeyHandle {
  HKEY Key = nullptr;
  ~KeyHandle() {
    if (Key) ::RegCloseKey(Key);
  }
};

}  // namespace

TRegValueStore& DefaultRegStore() { return Shared(); }

TRegValueStore& ClassesRootStore() {
  static TSystemRegStore store(HKEY_CLASSES_ROOT);
  return store;
}

void SetRootRegKey(HKEY root) { Shared().SetRoot(root); }

bool UnderWindowsNT() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!::GetVersionExA(&info)) return true;
#pragma GCC diagnostic pop
  return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool TSystemRegStore::KeyExists(const AnsiString& key) {
  KeyHandle h;
  return ::RegOpenKeyExA(FRoot, key.c_str(), 0, KEY_READ, &h.Key) == ERROR_SUCCESS;
}

bool TSystemRegStore::WriteValue(const AnsiString& key, const AnsiString& name, TRegDataKind kind,
                                 const std::vector<uint8_t>& data) {
  KeyHandle h;
  if (::RegCreateKeyExA(FRoot, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h.Key, nullptr) != ERROR_SUCCESS)
    return false;
  std::vector<uint8_t> bytes = data;
  DWORD type = REG_BINARY;
  if (kind == TRegDataKind::String) {
    type = REG_SZ;
    bytes.push_back(0);
  } else if (kind == TRegDataKind::Integer) {
    type = REG_DWORD;
  }
  return ::RegSetValueExA(h.Key, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) ==
         ERROR_SUCCESS;
}

bool TSystemRegStore::ReadValue(const AnsiString& key, const AnsiString& name, TRegDataKind& kind,
                                std::vector<uint8_t>& data) {
  KeyHandle h;
  if (::RegOpenKeyExA(FRoot, key.c_str(), 0, KEY_READ, &h.Key) != ERROR_SUCCESS) return false;
  DWORD type = 0, size = 0;
  if (::RegQueryValueExA(h.Key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  // Read whole, however long: ask again while the value grew meanwhile.
  for (;;) {
    data.assign(size, 0);
    DWORD got = size;
    const LONG r = ::RegQueryValueExA(h.Key, name.c_str(), nullptr, &type, data.data(), &got);
    if (r == ERROR_MORE_DATA) {
      size = got;
      continue;
    }
    if (r != ERROR_SUCCESS) return false;
    data.resize(got);
    break;
  }
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    kind = TRegDataKind::String;
    while (!data.empty() && data.back() == 0) data.pop_back();
  } else if (type == REG_DWORD) {
    kind = TRegDataKind::Integer;
  } else {
    kind = TRegDataKind::Binary;
  }
  return true;
}

bool TSystemRegStore::DeleteKey(const AnsiString& key) {
  const LONG r = ::RegDeleteTreeA(FRoot, key.c_str());
  if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) {
    ::RegDeleteKeyA(FRoot, key.c_str());
    return !KeyExists(key);
  }
  return false;
}

bool TSystemRegStore::ChunkLongValues() const { return !UnderWindowsNT(); }
