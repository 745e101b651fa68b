#include "framework/core/zGenericControl.h"

#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zSizer.h"

#include <cstring>
#include <vector>

namespace {

std::vector<zSuperClass*>& superClasses()
{
    static auto* list = new std::vector<zSuperClass*>;
    return *list;
}

int32_t orZero(int32_t v) { return v == zSizerUnset ? 0 : v; }

} // namespace

zSuperClass::zSuperClass(const char* newName, const char* baseClass) : name(newName)
{
    HINSTANCE instance = theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, baseClass, &wc) || GetClassInfoA(instance, baseClass, &wc)) {
        classProc = wc.lpfnWndProc;
        wc.lpfnWndProc = &zSuperClass::windowProc;
        wc.hInstance = instance;
        wc.lpszClassName = name.c_str();
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
        RegisterWindowClassOnce(wc);
    }
    superClasses().push_back(this);
}

zSuperClass* zSuperClass::find(const char* wanted)
{
    if (!wanted)
        return nullptr;
    const size_t length = std::strlen(wanted);
    for (zSuperClass* record : superClasses())
        if (record->name.length() == length && std::memcmp(record->name.c_str(), wanted, length) == 0)
            return record;
    return nullptr;
}

LRESULT CALLBACK zSuperClass::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    if (zWindow::find(hwnd))
        return zControlWndProc(hwnd, msg, wParam, lParam);
    char className[256] = {};
    GetClassNameA(hwnd, className, sizeof className);
    zSuperClass* record = find(className);
    if (record && record->classProc)
        return CallWindowProcA(record->classProc, hwnd, msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

zGenericControl::zGenericControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id,
                                 const char* className, void* param)
    : zControl(parent, sizer, style, text, id), param_(param)
{
    kind_ = KindGeneric;
    setClassName(className && *className ? className : "CtrlWindowCL");
    create();
}

zGenericControl::~zGenericControl()
{
    clearState(DeleteOnDestroy);
}

int zGenericControl::create()
{
    record_ = zSuperClass::find(className_.c_str());
    if (!record_)
        return 0;
    style_ &= ~static_cast<DWORD>(WS_CLIPSIBLINGS);
    HWND hwnd = CreateWindowExA(exStyle_, record_->name.c_str(), text_.c_str(), style_, orZero(sizer_->x()),
                                orZero(sizer_->y()), orZero(sizer_->width()), orZero(sizer_->height()),
                                parent_ ? parent_->handle() : nullptr,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(id_)),
                                theApplication ? theApplication->instance : GetModuleHandleA(nullptr), param_);
    if (!hwnd)
        return 0;
    bind(hwnd);
    if (parent_ && parent_->font())
        setFont(parent_->font(), 0);
    return 1;
}

LRESULT zGenericControl::defWindowProc(zEvent* ev)
{
    if (record_ && record_->classProc)
        return CallWindowProcA(record_->classProc, ev->hwnd, ev->message, ev->wParam, ev->lParam);
    return DefWindowProcA(ev->hwnd, ev->message, ev->wParam, ev->lParam);
}
