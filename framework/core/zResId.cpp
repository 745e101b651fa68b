#include "framework/core/zResId.h"

#include "framework/core/zApplication.h"
#include "framework/core/zWindow.h"

zResId::zResId(int32_t number, const char* library) : number_(number)
{
    if (library == reinterpret_cast<const char*>(-1))
        return;
    if (!library)
        library = theApplication ? theApplication->resLibName : nullptr;
    if (library) {
        library_ = library;
        hasLibrary_ = true;
    }
}

zResId::zResId(const char* name, const char* library) : zResId(0, library)
{
    name_ = name ? name : "";
}

LPCSTR zResId::resource() const
{
    return number_ ? MAKEINTRESOURCEA(number_ & 0xFFFF) : name_.c_str();
}

HINSTANCE zResId::applicationInstance()
{
    return theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
}

zIcon::zIcon(const zResId& id)
    : handle_(id.loadWith([](HINSTANCE m, LPCSTR r) { return LoadIconA(m, r); })), owned_(1)
{
}

zIcon::~zIcon()
{
    if (owned_ && handle_)
        DestroyIcon(handle_);
}

zCursor::zCursor(LPCSTR standard) : handle_(LoadCursorA(nullptr, standard)) {}

zCursor::zCursor(const zResId& id)
    : handle_(id.loadWith([](HINSTANCE m, LPCSTR r) { return LoadCursorA(m, r); }))
{
}

zMessageBox::zMessageBox(zWindow* owner, const char* text, const char* caption, UINT style)
    : result_(MessageBoxA(owner ? owner->handle() : nullptr, text, caption, style))
{
}
