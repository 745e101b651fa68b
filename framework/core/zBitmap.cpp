#include "framework/core/zBitmap.h"

#include "framework/core/zApplication.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zResId.h"

namespace {
HMODULE appResourceModule()
{
    if (!theApplication)
        return GetModuleHandleA(nullptr);
    return theApplication->resLibModule ? theApplication->resLibModule : theApplication->instance;
}
}  // namespace

zBitmap::zBitmap(int32_t width, int32_t height, zDisplay* display) : zDrawObj(nullptr, 0)
{
    if (!display)
        return;
    display->acquire();
    if (display->hdc())
        handle_ = CreateCompatibleBitmap(display->hdc(), width, height);
    display->release();
}

SIZE zBitmap::size() const
{
    BITMAP bm{};
    if (handle_ && GetObjectA(handle_, sizeof bm, &bm))
        return {bm.bmWidth, bm.bmHeight};
    return {0, 0};
}

zBitmap::zBitmap(const zResId& id) : zDrawObj(nullptr, 0)
{
    HMODULE module = nullptr;
    HMODULE loaded = nullptr;
    if (id.library()) {
        loaded = LoadLibraryA(id.library());
        if (reinterpret_cast<uintptr_t>(loaded) < 33)
            loaded = nullptr;
        module = loaded ? loaded : appResourceModule();
    } else {
        module = id.module() ? id.module() : appResourceModule();
    }
    handle_ = LoadBitmapA(module, id.resource());
    if (loaded)
        FreeLibrary(loaded);
}
