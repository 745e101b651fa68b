#include "framework/tables/zTableCellMaker.h"

#include "framework/tables/zTableCell.h"

int32_t zTableCellMaker::classify(const ziTablePos&, const char* text)
{
    if (!text || !*text)
        return TextKind;
    for (const char* p = text; *p; ++p) {
        const char c = *p;
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+'))
            return TextKind;
    }
    return NumberKind;
}

zTableCell* zTableCellMaker::makeCell(int32_t kind, const char* text, const ziTablePos& position)
{
    if (kind == NumberKind)
        return new zTableFmtNumCell(model, text, position);
    return new zTableFmtTextCell(model, text, position);
}
