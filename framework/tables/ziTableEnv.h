#pragma once
// The drawing environment of one cell: the attributes that cover it, one
// slot per kind, and whether it is selected or the current cell.
#include <cstdint>

#include "framework/tables/zTableAttr.h"

class zTableModel;

struct ziTableEnv {
    explicit ziTableEnv(zTableModel* model);

    // Fills the slots from the attributes covering the position, in list
    // order: a later attribute of a kind replaces an earlier one; kinds
    // outside 0 to 9 are skipped.
    void collect(const ziTablePos& position);
    void clearSlots();

    zTableAttr* slot(int32_t kind) const { return kind >= 0 && kind < zTableAttr::KindCount ? attrs[kind] : nullptr; }

    zTableAttrDlist* list;
    int32_t selected = 0;
    int32_t current = 0;
    zTableAttr* attrs[zTableAttr::KindCount] = {};
};
