#include "components/designtime/ShellLink.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() {
    if (p) p->Release();
  }
};

}  // namespace

bool CreateLink(const AnsiString& file, const AnsiString& link, const AnsiString& arguments,
                const AnsiString& description) {
  const HRESULT init = CoInitialize(nullptr);
  bool ok = false;
  {
    ComRef<IShellLinkA> shell;
    ComRef<IPersistFile> persist;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shell.p))) &&
        SUCCEEDED(shell.p->SetPath(file.c_str())) && SUCCEEDED(shell.p->SetArguments(arguments.c_str())) &&
        SUCCEEDED(shell.p->SetDescription(description.c_str())) &&
        SUCCEEDED(shell.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist.p)))) {
      const int n = MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, nullptr, 0);
      std::vector<wchar_t> wide(n > 0 ? n : 1, L'\0');
      if (n > 0) MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide.data(), n);
      ok = n > 0 && SUCCEEDED(persist.p->Save(wide.data(), TRUE));
    }
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}
