#include "framework/core/zString.h"

#include "framework/core/zApplication.h"

#include <vector>

int zString::load(const zResId& id, int32_t maxLength)
{
    if (maxLength <= 0)
        return 0;
    HINSTANCE appInstance = theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
    HMODULE module = id.module();
    HMODULE loaded = nullptr;
    if (!module && id.library()) {
        loaded = LoadLibraryA(id.library());
        if (reinterpret_cast<uintptr_t>(loaded) < 32)
            loaded = nullptr;
        module = loaded ? loaded : appInstance;
    }
    if (!module)
        module = appInstance;
    std::vector<char> buffer(static_cast<size_t>(maxLength), 0);
    int n = LoadStringA(module, static_cast<UINT>(id.number() & 0xFFFF), buffer.data(), maxLength);
    if (loaded)
        FreeLibrary(loaded);
    if (n <= 0)
        return 0;
    *this = buffer.data();
    return 1;
}
