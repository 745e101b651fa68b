#include "components/buttonedits/runtime/SystemIntegration.h"

#include "components/buttonedits/runtime/ResourceStrings.h"

void RegisterOCX(const AnsiString& fileName) {
  HMODULE library = ::LoadLibraryA(fileName.c_str());
  if (!library) throw EOleSysError(ResStrFmt(dcconsts::_SErrOCXLoadFail, fileName.c_str()));
  using TRegisterProc = HRESULT(WINAPI*)();
  const char* procName = "DllRegisterServer";
  auto proc = reinterpret_cast<TRegisterProc>(reinterpret_cast<void*>(::GetProcAddress(library, procName)));
  if (!proc) {
    ::FreeLibrary(library);
    throw EOleSysError(ResStrFmt(dcconsts::_SErrOCXCantFindProc, procName, fileName.c_str()));
  }
  const HRESULT result = proc();
  ::FreeLibrary(library);
  if (FAILED(result)) throw EOleSysError(ResStrFmt(dcconsts::_SErrOCXRegFail, procName, fileName.c_str()));
}

AnsiString GetTypeLibName(const AnsiString& guid) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, ("TypeLib\\" + guid).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return AnsiString();
  AnsiString name;
  char version[256];
  DWORD length = sizeof version;
  if (::RegEnumKeyExA(key, 0, version, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    char value[1024];
    LONG size = sizeof value;
    if (::RegQueryValueA(key, version, value, &size) == ERROR_SUCCESS && size > 0)
      name.assign(value, static_cast<size_t>(size) - 1);
  }
  ::RegCloseKey(key);
  while (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

HRESULT SetPropByDispatch(IDispatch* dispatch, DISPID id, const VARIANT& value) {
  if (!dispatch) return E_POINTER;
  VARIANT arg = value;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {};
  params.rgvarg = &arg;
  params.cArgs = 1;
  params.rgdispidNamedArgs = &named;
  params.cNamedArgs = 1;
  const WORD flags = V_VT(&value) == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr, nullptr);
}

HMODULE GetClassModule(const void* address) {
  MEMORY_BASIC_INFORMATION info = {};
  if (!address || ::VirtualQuery(address, &info, sizeof info) == 0 || info.State != MEM_COMMIT) return nullptr;
  return static_cast<HMODULE>(info.AllocationBase);
}
