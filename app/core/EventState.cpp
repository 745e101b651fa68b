#include "app/core/EventState.h"

#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"

EventState::EventState()
    : classDisplayNames{classNames[1], classNames[2], classNames[3],  classNames[4],  classNames[5],  classNames[6],
                        classNames[7], classNames[8], classNames[9], classNames[10], classNames[11], classNames[12]} {}

EventState::~EventState() = default;
