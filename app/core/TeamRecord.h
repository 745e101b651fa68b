#pragma once
// The 900-byte record of one team, stored in the ".SDA" file exactly as it
// lies in memory.
#include <cstddef>
#include <cstdint>

#include "app/core/LeInt.h"


struct TeamRecord {
  char schoolName[42];  // empty: no team in this place
  char listName[32];
  char tabName[16];
  char street[36];
  char town[34];
  char Bez[4];
  char Kre[4];
  char Bla[4];
  char mail[60];
  char supervisor[60];
  char tel1[30];
  char tel2[30];
  LeInt32 reserved352;
  LeInt32 MNR;           // team number
  LeInt32 firstAthlete;  // number of the team's first athlete
  LeInt32 lastAthlete;   // number of its last athlete (last - first <= 12)
  LeInt32 relayTimes[8];
  LeInt32 reserved400[8];
  LeInt32 reserved432[8];
  LeInt32 reserved464[7];
  LeInt32 reserved492;
  LeInt32 reserved496;
  LeInt32 reserved500[80];
  uint8_t reserved820[80];
};

static_assert(sizeof(TeamRecord) == 900);
static_assert(offsetof(TeamRecord, listName) == 42);
static_assert(offsetof(TeamRecord, tabName) == 74);
static_assert(offsetof(TeamRecord, street) == 90);
static_assert(offsetof(TeamRecord, town) == 126);
static_assert(offsetof(TeamRecord, Bez) == 160);
static_assert(offsetof(TeamRecord, Kre) == 164);
static_assert(offsetof(TeamRecord, Bla) == 168);
static_assert(offsetof(TeamRecord, mail) == 172);
static_assert(offsetof(TeamRecord, supervisor) == 232);
static_assert(offsetof(TeamRecord, tel1) == 292);
static_assert(offsetof(TeamRecord, tel2) == 322);
static_assert(offsetof(TeamRecord, reserved352) == 352);
static_assert(offsetof(TeamRecord, MNR) == 356);
static_assert(offsetof(TeamRecord, firstAthlete) == 360);
static_assert(offsetof(TeamRecord, lastAthlete) == 364);
static_assert(offsetof(TeamRecord, relayTimes) == 368);
static_assert(offsetof(TeamRecord, reserved400) == 400);
static_assert(offsetof(TeamRecord, reserved464) == 464);
static_assert(offsetof(TeamRecord, reserved492) == 492);
static_assert(offsetof(TeamRecord, reserved496) == 496);
static_assert(offsetof(TeamRecord, reserved500) == 500);
static_assert(offsetof(TeamRecord, reserved820) == 820);

// Sets every field to its blank value: texts empty, the numbers at 352-364 -1,
// the first and last athlete numbers 1 and 13, everything else zero.
void BlankTeamRecord(TeamRecord& r);
