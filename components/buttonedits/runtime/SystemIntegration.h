#pragma once
// The library's calls into the system's component services: registering
// an ActiveX library, naming a registered type library, setting a property
// through an automation interface, and finding the module of a class.
#include <windows.h>
#include <oaidl.h>

#include "classlib/AnsiString.h"
#include "classlib/Exception.h"
#include "classlib/TypInfo.h"

// A failure of the component services (German text with the file name).
class EOleSysError : public Exception {
 public:
  using Exception::Exception;
};

// Loads the library, calls its "DllRegisterServer" and frees it; raises
// EOleSysError with "Laden von ... gescheitert", "... Prozedur nicht
// gefunden in ..." or "Aufruf von ... scheiterte in ...".
void RegisterOCX(const AnsiString& fileName);
// The name of the type library registered under HKEY_CLASSES_ROOT
// "TypeLib\" + the GUID (the default value of its first version key);
// empty when there is none.
AnsiString GetTypeLibName(const AnsiString& guid);
// Sets the property `id` through Invoke with DISPATCH_PROPERTYPUT
// (DISPATCH_PROPERTYPUTREF for a dispatch value) and the named argument
// DISPID_PROPERTYPUT; the result of Invoke.
HRESULT SetPropByDispatch(IDispatch* dispatch, DISPID id, const VARIANT& value);
// The module holding the address (a class record): the allocation base of
// committed memory, else null.
HMODULE GetClassModule(const void* address);
inline HMODULE GetClassModule(const TClassInfo& cls) { return GetClassModule(&cls); }
