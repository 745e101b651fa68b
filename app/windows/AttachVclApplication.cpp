#include "app/windows/AttachVclApplication.h"

#include "classlib/Application.h"
#include "framework/core/zWindow.h"

HWND AttachVclApplication(zWindow* window)
{
    HWND app = TApplication::Instance().Handle();
    if (!app || !window || !window->handle())
        return nullptr;
    return SetParent(app, window->handle());
}
