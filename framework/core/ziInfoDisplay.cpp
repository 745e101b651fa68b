#include "framework/core/ziInfoDisplay.h"

ziInfoDisplay::ziInfoDisplay()
{
    if (HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
        readCaps(ic);
        DeleteDC(ic);
    }
    useWindowColours();
}

ziInfoDisplay::~ziInfoDisplay()
{
    // A context still held at destruction is given back.
    if (hdc_)
        DeleteDC(hdc_);
    hdc_ = nullptr;
}

void ziInfoDisplay::getDC() { hdc_ = CreateICA("DISPLAY", nullptr, nullptr, nullptr); }

void ziInfoDisplay::releaseDC()
{
    if (hdc_)
        DeleteDC(hdc_);
}
