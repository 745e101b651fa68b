#include "app/windows/DisziFlagTable.h"

#include <cstring>

DisziFlagTable gDisziFlags{};

void DisziFlagTable::clearClass(int32_t table)
{
    if (table < 0 || table >= Classes)
        return;
    std::memset(flags[table], 0, sizeof flags[table]);
    std::memset(texts[table], 0, sizeof texts[table]);
}
