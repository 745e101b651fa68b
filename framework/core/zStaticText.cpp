#include "framework/core/zStaticText.h"

#include "framework/core/zApplication.h"
#include "framework/core/zSizer.h"

zStaticText::zStaticText(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id)
    : zControl(parent, sizer, style, text, id)
{
    setKind(zControlKind::StaticText);
    setClassName("static");
    style_ = (style_ | WS_CHILD | WS_VISIBLE) & ~static_cast<DWORD>(WS_TABSTOP);
    kind_ = KindStatic;
    if (parent)
        background_ = parent->background();
    if ((style & 0xFF) == SS_ICON && text && *text) {
        HMODULE module = theApplication ? (theApplication->resLibModule ? theApplication->resLibModule : theApplication->instance) : GetModuleHandleA(nullptr);
        HMODULE loaded = nullptr;
        if (theApplication && theApplication->resLibName) {
            loaded = LoadLibraryA(theApplication->resLibName);
            if (reinterpret_cast<uintptr_t>(loaded) < 32)
                loaded = nullptr;
            module = loaded;
        }
        HICON icon = module ? LoadIconA(module, text) : nullptr;
        if (reinterpret_cast<uintptr_t>(icon) >= 32) {
            icon_ = icon;
            sizer_->setExtent(32, 32);
        }
        if (loaded)
            FreeLibrary(loaded);
    }
    create();
}

zStaticText::zStaticText(zWindow* dialog, int32_t id) : zControl(dialog, id)
{
    setKind(zControlKind::StaticText);
    style_ &= ~static_cast<DWORD>(WS_TABSTOP);
}

LRESULT zStaticText::defWindowProc(zEvent* ev)
{
    if (ev->message == WM_PAINT && icon_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(ev->hwnd, &ps);
        DrawIcon(dc, 0, 0, icon_);
        EndPaint(ev->hwnd, &ps);
        return 1;
    }
    return zControl::defWindowProc(ev);
}
