#pragma once
// An information context of the screen: measures, draws nothing.
#include "framework/core/zDisplay.h"

class ziInfoDisplay : public zReadableDisplay {
public:
    ziInfoDisplay();
    ~ziInfoDisplay() override;
    void getDC() override;
    void releaseDC() override;
};
