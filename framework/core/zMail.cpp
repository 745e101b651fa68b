#include "framework/core/zMail.h"

zMail::zMail() = default;

void zMail::load() const
{
    if (tried_)
        return;
    tried_ = true;
    module_ = LoadLibraryA("mapi32.dll");
    if (reinterpret_cast<uintptr_t>(module_) < 32) {
        module_ = nullptr;
        return;
    }
    logon_ = GetProcAddress(module_, "MAPILogon");
    sendMail_ = GetProcAddress(module_, "MAPISendMail");
    available_ = logon_ && sendMail_ ? 1 : 0;
}

zMail::~zMail()
{
    if (module_)
        FreeLibrary(module_);
}
