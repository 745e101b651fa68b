#include "components/designtime/ResourceData.h"

#include <cstring>

HGLOBAL GetResData(const AnsiString& name, const void*& data, uint32_t& size, HMODULE module) {
  data = nullptr;
  size = 0;
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC info = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));
  if (!info) return nullptr;
  HGLOBAL handle = LoadResource(module, info);
  if (!handle) return nullptr;
  data = LockResource(handle);
  size = SizeofResource(module, info);
  return data ? handle : nullptr;
}

void ReleaseResData(HGLOBAL handle) {
  if (handle) FreeResource(handle);
}

AnsiString LoadStringFromRCData(const AnsiString& name, HMODULE module) {
  const void* data = nullptr;
  uint32_t size = 0;
  HGLOBAL handle = GetResData(name, data, size, module);
  if (!handle) return AnsiString();
  const char* text = static_cast<const char*>(data);
  AnsiString out(text, strnlen(text, size));
  ReleaseResData(handle);
  return out;
}

bool AddRCDataResource(const AnsiString& file, const AnsiString& name, const void* data, uint32_t size) {
  HANDLE update = BeginUpdateResourceA(file.c_str(), FALSE);
  if (!update) return false;
  const bool written =
      UpdateResourceA(update, MAKEINTRESOURCEA(10), name.c_str(), 0, const_cast<void*>(data), size) != FALSE;
  // The file changes only when the update is ended without discarding.
  return EndUpdateResourceA(update, written ? FALSE : TRUE) != FALSE && written;
}

bool AddStringResource(const AnsiString& file, const AnsiString& name, const AnsiString& text) {
  return AddRCDataResource(file, name, text.c_str(), static_cast<uint32_t>(text.size() + 1));
}
