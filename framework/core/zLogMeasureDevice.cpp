// Where the measures get their pixels per inch: the display's own, or the
// screen's as the application object measured it. The native build has no
// displays and no screen; it converts at 96 pixels per inch.
#include "framework/core/zLogMeasure.h"

#ifdef _WIN32
#include "framework/core/zApplication.h"
#include "framework/core/zDisplay.h"

int32_t zLogMeasure::ppiX(const zDisplay* d) { return d ? d->logPixelsX() : zScreenPixelsX; }
int32_t zLogMeasure::ppiY(const zDisplay* d) { return d ? d->logPixelsY() : zScreenPixelsY; }

#else

int32_t zLogMeasure::ppiX(const zDisplay*) { return 96; }
int32_t zLogMeasure::ppiY(const zDisplay*) { return 96; }

#endif
