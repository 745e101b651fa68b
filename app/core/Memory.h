#pragma once
// The entry store of the loaded event: for each of the 12 classes 20 team
// records and 13 athlete records per team, kept in step with the event's
// data files ".SDA" (teams), ".MDA" (athletes) and ".STF".
#include "app/core/AthleteRecord.h"
#include "app/core/EventDefinition.h"
#include "app/core/StoreJournal.h"
#include "app/core/TeamRecord.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct EventState;

inline constexpr int32_t kSdaFileSize = 108 + 240 * 900;    // 216,108
inline constexpr int32_t kMdaFileSize = 108 + 3120 * 134;   // 418,188
inline constexpr int32_t kStfFileSize = 108 + 1920 * 4;     // 7,788

// Byte positions of the records in the data files.
constexpr int32_t TeamOffset(int32_t c, int32_t t) { return 108 + 18000 * c + 900 * t; }
constexpr int32_t AthleteOffset(int32_t c, int32_t t, int32_t m) {
  return 108 + 34840 * c + 1742 * t + 134 * m;
}

static_assert(TeamOffset(1, 0) - TeamOffset(0, 0) == sizeof(TeamRecord) * kMaxTeams);
static_assert(AthleteOffset(0, 1, 0) - AthleteOffset(0, 0, 0) == sizeof(AthleteRecord) * kMaxAthletes);
static_assert(AthleteOffset(1, 0, 0) - AthleteOffset(0, 0, 0) == sizeof(AthleteRecord) * kMaxAthletes * kMaxTeams);
static_assert(TeamOffset(kMaxClasses, 0) == kSdaFileSize && AthleteOffset(kMaxClasses, 0, 0) == kMdaFileSize);

// User bits of a class: the store's own, the entry window's and the
// entry-file writer's.
inline constexpr int32_t kUserStore = 16;
inline constexpr int32_t kUserEntryWindow = 0;
inline constexpr int32_t kUserEntryFile = 1;

// Every write operation (writeTeam, writeAthletes, saveTeam, removeTeam) is
// whole or not at all, on the disk and in memory: it goes through the store's
// journal (StoreJournal), and a failed operation returns 0 and changes
// nothing.
class Memory {
public:
  // Opens the event's data files (VeranstDir + event name + extension),
  // undoes an operation a crash interrupted, and loads every class of the
  // loaded event for the store's own user bit. Files of the wrong size or
  // with a bad header are not read.
  explicit Memory(const EventState& state);
  ~Memory();
  Memory(const Memory&) = delete;
  Memory& operator=(const Memory&) = delete;

  // True when all three files opened with their sizes and valid headers,
  // and every class of the event was loaded.
  bool isReady() const { return ready_; }

  int32_t loadClass(int32_t c, int32_t bit);
  TeamRecord* getTeam(int32_t c, int32_t t) const;
  AthleteRecord* getAthlete(int32_t c, int32_t t, int32_t m) const;
  TeamRecord* loadTeamAthletes(int32_t c, int32_t t);
  int32_t releaseClass(int32_t c, int32_t mask);
  int32_t freeTeam(int32_t c, int32_t t);
  int32_t writeTeam(int32_t c, int32_t t);
  int32_t writeAthletes(int32_t c, int32_t t);
  int32_t saveTeam(int32_t c, int32_t t);
  int32_t removeTeam(int32_t c, int32_t t);
  int32_t userMask(int32_t c) const { return validClass(c) ? users_[c] : 0; }

private:
  static bool validClass(int32_t c) { return c >= 0 && c < kMaxClasses; }
  static bool validTeam(int32_t c, int32_t t) { return validClass(c) && t >= 0 && t < kMaxTeams; }
  // Frees a class's records and the block that held them.
  void freeClass(int32_t c);
  // Whether a record lies in a class's block (else it is a record of its own
  // on the heap).
  bool pooled(int32_t c, const void* record) const;
  // The 13 athlete records of a team as they lie in the file; false when
  // one is not in memory.
  bool athletesOf(int32_t c, int32_t t, uint8_t* out) const;
  // Writes records in place under the journal: all of them or none.
  bool commit(const std::vector<StoreJournal::Write>& writes);

  // A loaded class's records in one block, as they lie in the files: one
  // allocation for the 280 records of a class instead of one each.
  struct ClassRecords {
    TeamRecord teams[kMaxTeams];
    AthleteRecord athletes[kMaxTeams][kMaxAthletes];
  };
  // Hands a block back to the ones kept for later loads (Memory.cpp).
  struct KeepBlock {
    void operator()(ClassRecords* block) const;
  };

  std::FILE* sda_ = nullptr;
  std::FILE* mda_ = nullptr;
  int32_t users_[kMaxClasses] = {};
  TeamRecord* teams_[kMaxClasses][kMaxTeams] = {};
  AthleteRecord* athletes_[kMaxClasses][kMaxTeams][kMaxAthletes] = {};
  std::unique_ptr<ClassRecords, KeepBlock> blocks_[kMaxClasses];  // only while the class is held
  bool filesOk_ = false;  // both files of their size with valid headers
  std::unique_ptr<StoreJournal> journal_;
  bool ready_ = false;
};

// A blank record on the heap, or null when out of memory; freed with delete.
TeamRecord* NewTeamRecord();
AthleteRecord* NewAthleteRecord();

// Path of one of the event's data files ("SDA", "MDA", "STF").
std::string DataFilePath(const EventState& state, const char* extension);

// Writes each of the event's three data files that does not exist yet as a
// blank file (header, then blank records or zero values); existing files are
// kept. 1, or 0 when a file could not be written (nothing half-written is
// left behind).
int32_t CreateBlankDataFiles(const EventState& state);
