#include "framework/controls3d/zStatusMessageTable.h"

const char* zStatusMessageTable::find(int32_t id) const {
    if (!entries_) return nullptr;
    for (const zStatusMessage* e = entries_; e->text; ++e)
        if (e->id == id) return e->text;
    return nullptr;
}
