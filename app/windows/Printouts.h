#pragma once
// The two printouts of one team of one competition class, each one page:
// the entry form "Meldebogen" and the pupil list "Schülerliste". Both read
// the loaded event, the entry store, the [Listen] settings and the level and
// place chosen for printing; both return 1.
#include <cstdint>

#include "app/windows/PrintCanvas.h"

struct EventState;
struct TeamRecord;

int32_t DrawMeldebogen(const EventState& state, PrintCanvas& canvas, int32_t c, int32_t t);
int32_t DrawSchuelerliste(const EventState& state, PrintCanvas& canvas, int32_t c, int32_t t);

// The level name the printouts head with: the event's level name of the
// chosen level index ("" without an event or for an index outside 0-9).
const char* PrintLevelName(const EventState& state);

// The team's address block from line y on: school, street and town (only
// with a street), `gap` further down the supervisor and the two phone
// numbers. Returns the line of the last phone number.
int32_t DrawTeamAddress(PrintCanvas& canvas, int32_t x0, int32_t y, int32_t LH, const TeamRecord& team,
                        int32_t gap);
