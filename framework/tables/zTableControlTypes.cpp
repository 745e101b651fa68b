#include "framework/tables/zTableControlTypes.h"

#include "framework/core/zControlType.h"
#include "framework/tables/zProgressBar.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTablePrintable.h"
#include "framework/tables/zTreeCtrl.h"
#include "framework/tables/zValueSet.h"

void zRegisterTableControlTypes()
{
    // The records live to the end of the program; a failed allocation
    // skips its record.
    new (std::nothrow) zControlType("zTable", &zCreateControl<zTable>);
    new (std::nothrow) zControlType("zTablePrintable", &zCreateControl<zTablePrintable>);
    new (std::nothrow) zControlType("zValueSet", &zCreateControl<zValueSet>);
    new (std::nothrow) zControlType("zTreeCtrl", &zCreateControl<zTreeCtrl>);
    new (std::nothrow) zControlType("zProgressBar", &zCreateControl<zProgressBar>);
}
