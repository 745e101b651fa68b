#pragma once
// Layout of an event-definition file (".JTFO"): a 310-byte header followed by
// the 7,606-byte event block. Little-endian; the structures lie in memory
// exactly as in the file.
#include <cstddef>
#include <cstdint>

#include "app/core/LeInt.h"



struct EventFileHeader {
  uint8_t reserved0[108];
  LeInt16 eventKind;  // 0-9: index into the level names
  uint8_t reserved1[100];
  char title[100];
};

struct ClassRecord {
  char name[20];
  LeInt16 Modus;           // rule set 0-4
  LeInt16 athletesPerTeam;  // at most 13
  LeInt16 reserved0;
  LeInt16 Index;            // 3, 5, 9, 11: alternative-discipline rules
  LeInt16 disciplineCount;  // at most 7
  LeInt16 season;           // reference season of the birth-year bounds
  LeInt16 oldestYear;       // two digits, 50 = no bound
  LeInt16 youngestYear;     // two digits, 50 = no bound
  LeInt16 teamPlaces;       // at most 20
  LeInt16 reserved1;
};

struct DisciplineRecord {
  char name[24];
  char mask[20];       // "9" one digit, text between apostrophes a literal
  LeInt32 type;        // 4 sprint relay, 10 middle-distance relay
  char shortName[20];
  LeInt32 maxStarters;  // most starters of one team
  LeInt32 value;        // 1 for relays, 2 for individual disciplines
  LeInt32 reserved;
};

inline constexpr int kMaxClasses = 12;
inline constexpr int kMaxDisciplines = 7;
inline constexpr int kLevelCount = 10;
inline constexpr int kMaxAthletes = 13;
inline constexpr int kMaxTeams = 20;

struct EventDefinition {
  uint8_t reserved0[84];
  LeInt16 classCount;  // at most 12
  char levelNames[kLevelCount][30];
  uint8_t reserved1[20];
  ClassRecord classes[kMaxClasses];
  DisciplineRecord disciplines[kMaxClasses][kMaxDisciplines];
};


static_assert(sizeof(EventFileHeader) == 310);
static_assert(offsetof(EventFileHeader, eventKind) == 108);
static_assert(offsetof(EventFileHeader, title) == 210);

static_assert(sizeof(ClassRecord) == 40);
static_assert(offsetof(ClassRecord, Modus) == 20);
static_assert(offsetof(ClassRecord, athletesPerTeam) == 22);
static_assert(offsetof(ClassRecord, Index) == 26);
static_assert(offsetof(ClassRecord, disciplineCount) == 28);
static_assert(offsetof(ClassRecord, season) == 30);
static_assert(offsetof(ClassRecord, oldestYear) == 32);
static_assert(offsetof(ClassRecord, youngestYear) == 34);
static_assert(offsetof(ClassRecord, teamPlaces) == 36);

static_assert(sizeof(DisciplineRecord) == 80);
static_assert(offsetof(DisciplineRecord, mask) == 24);
static_assert(offsetof(DisciplineRecord, type) == 44);
static_assert(offsetof(DisciplineRecord, shortName) == 48);
static_assert(offsetof(DisciplineRecord, maxStarters) == 68);
static_assert(offsetof(DisciplineRecord, value) == 72);

static_assert(sizeof(EventDefinition) == 7606);
static_assert(offsetof(EventDefinition, classCount) == 84);
static_assert(offsetof(EventDefinition, levelNames) == 86);
static_assert(offsetof(EventDefinition, classes) == 406);
static_assert(offsetof(EventDefinition, disciplines) == 886);
