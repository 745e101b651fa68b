#pragma once
// The 134-byte record of one athlete, stored in the ".MDA" file exactly as it
// lies in memory.
#include <cstddef>
#include <cstdint>

#include "app/core/LeInt.h"


struct AthleteRecord {
  char name[26];  // empty: no athlete in this place
  char JG[3];     // birth year, two digits
  char schoolClass[7];
  LeInt32 athleteNumber;
  LeInt32 teamNumber;
  uint8_t mask;  // bit k: starts in discipline k
  uint8_t flag;
  LeInt32 Leistung[7];  // performance per discipline; relay position for relays
  LeInt32 reserved74[7];
  LeInt32 reserved102[7];
  LeInt32 reserved130;
};

static_assert(sizeof(AthleteRecord) == 134);
static_assert(offsetof(AthleteRecord, JG) == 26);
static_assert(offsetof(AthleteRecord, schoolClass) == 29);
static_assert(offsetof(AthleteRecord, athleteNumber) == 36);
static_assert(offsetof(AthleteRecord, teamNumber) == 40);
static_assert(offsetof(AthleteRecord, mask) == 44);
static_assert(offsetof(AthleteRecord, flag) == 45);
static_assert(offsetof(AthleteRecord, Leistung) == 46);
static_assert(offsetof(AthleteRecord, reserved74) == 74);
static_assert(offsetof(AthleteRecord, reserved102) == 102);
static_assert(offsetof(AthleteRecord, reserved130) == 130);

// Sets every field to its blank value: texts empty, athlete and team number
// -1, everything else zero.
void BlankAthleteRecord(AthleteRecord& r);
