#include "app/core/Memory.h"

#include "app/core/DataFileHeader.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/FileSystem.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"

#include <cstring>
#include <functional>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KEL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KEL_ASAN 1
#endif
#endif
#ifdef KEL_ASAN
#include <sanitizer/asan_interface.h>
#define KEL_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define KEL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define KEL_POISON(p, n) (static_cast<void>(p), static_cast<void>(n))
#define KEL_UNPOISON(p, n) (static_cast<void>(p), static_cast<void>(n))
#endif


namespace {

bool ReadAt(std::FILE* f, int32_t pos, void* buf, size_t n) {
  return f && kel::fileSystem().read(f, pos, buf, n);
}

bool HeaderOk(std::FILE* f) {
  DataFileHeader h;
  return ReadAt(f, 0, &h, sizeof h) && h.magic == kDataFileMagic;
}

// A data file the store can use: exactly its size, and a valid header.
bool DataFileOk(std::FILE* f, int64_t size) { return f && kel::fileSystem().size(f) == size && HeaderOk(f); }

// The record blocks of released classes, kept for the next load of this
// store or the next one. Handed back to the system, a whole event's blocks
// would come back as fresh pages on the next load, which costs more than
// reading the records (the C library returns the top of its heap once a
// store's blocks are freed). At most one event's worth is kept. A kept
// block is poisoned under AddressSanitizer, so that a record used after its
// class was released is still found.
class BlockCache {
public:
  BlockCache() { kept_.reserve(kMaxClasses); }

  void* take(size_t n) {
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (!kept_.empty()) {
        void* p = kept_.back();
        kept_.pop_back();
        KEL_UNPOISON(p, n);
        return p;
      }
    }
    return ::operator new(n, std::nothrow);
  }

  void give(void* p, size_t n) {
    std::lock_guard<std::mutex> guard(lock_);
    if (kept_.size() < static_cast<size_t>(kMaxClasses)) {
      KEL_POISON(p, n);
      kept_.push_back(p);
    } else {
      ::operator delete(p);
    }
  }

private:
  std::mutex lock_;
  std::vector<void*> kept_;
};

// Never destroyed: a store that outlives the others at exit still gives its
// blocks back.
BlockCache& Blocks() {
  static BlockCache* const cache = new BlockCache;
  return *cache;
}

}  // namespace

TeamRecord* NewTeamRecord() {
  TeamRecord* r = new (std::nothrow) TeamRecord;
  if (r) BlankTeamRecord(*r);
  return r;
}

AthleteRecord* NewAthleteRecord() {
  AthleteRecord* r = new (std::nothrow) AthleteRecord;
  if (r) BlankAthleteRecord(*r);
  return r;
}

std::string DataFilePath(const EventState& state, const char* extension) {
  return state.settings.veranstDir + state.eventName + extension;
}

Memory::Memory(const EventState& state) {
  kel::FileSystem& fs = kel::fileSystem();
  sda_ = fs.open(DataFilePath(state, "SDA"), "r+b");
  mda_ = fs.open(DataFilePath(state, "MDA"), "r+b");
  if (!sda_ || !mda_) return;
  // An operation a crash interrupted is undone before anything is read.
  std::FILE* const files[2] = {sda_, mda_};
  const int64_t sizes[2] = {kSdaFileSize, kMdaFileSize};
  const std::string journal = DataFilePath(state, "JRN");
  if (fs.size(sda_) != kSdaFileSize || fs.size(mda_) != kMdaFileSize || !StoreJournal::Recover(journal, files, sizes))
    return;
  bool stfOk = false;
  if (std::FILE* stf = fs.open(DataFilePath(state, "STF"), "rb")) {
    stfOk = DataFileOk(stf, kStfFileSize);
    fs.close(stf);
  }
  // Files of the wrong size or with a bad header (exchanged, cut off, not
  // ours) are not read at all, whatever the event's class count.
  if (!stfOk || !DataFileOk(sda_, kSdaFileSize) || !DataFileOk(mda_, kMdaFileSize)) return;
  filesOk_ = true;
  journal_ = std::make_unique<StoreJournal>(journal);
  bool ok = true;
  int32_t count = state.eventDef ? static_cast<int32_t>(state.eventDef->classCount) : 0;
  for (int32_t c = 0; c < count && c < kMaxClasses; ++c)
    if (!loadClass(c, kUserStore)) ok = false;
  ready_ = ok;
}

Memory::~Memory() {
  // The store owns every record: everything is freed, whoever still holds a class.
  for (int32_t c = 0; c < kMaxClasses; ++c) {
    releaseClass(c, 255);
    freeClass(c);
  }
  if (journal_) {
    std::FILE* const files[2] = {sda_, mda_};
    journal_->close(files);
    journal_.reset();
  }
  if (sda_) kel::fileSystem().close(sda_);
  if (mda_) kel::fileSystem().close(mda_);
}

void Memory::KeepBlock::operator()(ClassRecords* block) const { Blocks().give(block, sizeof *block); }

void Memory::freeClass(int32_t c) {
  for (int32_t t = 0; t < kMaxTeams; ++t) freeTeam(c, t);
  blocks_[c].reset();
}

bool Memory::pooled(int32_t c, const void* record) const {
  const auto* block = reinterpret_cast<const uint8_t*>(blocks_[c].get());
  const auto* at = static_cast<const uint8_t*>(record);
  const std::less<const uint8_t*> before;
  return block && !before(at, block) && before(at, block + sizeof(ClassRecords));
}

int32_t Memory::loadClass(int32_t c, int32_t bit) {
  if (!validClass(c) || bit < 0 || bit > 31 || !filesOk_) return 0;
  uint32_t flag = 1u << bit;
  if (users_[c] != 0) {
    users_[c] = static_cast<int32_t>(static_cast<uint32_t>(users_[c]) | flag);
    return 1;
  }
  // Both headers are checked first: a refused file loads nothing of the class.
  // The bit is set only once the class is loaded, so that a failed load
  // leaves the class unheld and memory as it was.
  if (!HeaderOk(sda_) || !HeaderOk(mda_)) return 0;
  // The class's records lie together in each file: each block is read at
  // once, straight into the records.
  static_assert(sizeof(ClassRecords::teams) == TeamOffset(1, 0) - TeamOffset(0, 0) &&
                sizeof(ClassRecords::athletes) == AthleteOffset(1, 0, 0) - AthleteOffset(0, 0, 0));
  void* const memory = Blocks().take(sizeof(ClassRecords));
  std::unique_ptr<ClassRecords, KeepBlock> block(memory ? new (memory) ClassRecords : nullptr);
  if (!block || !ReadAt(sda_, TeamOffset(c, 0), block->teams, sizeof block->teams) ||
      !ReadAt(mda_, AthleteOffset(c, 0, 0), block->athletes, sizeof block->athletes))
    return 0;
  // Records a caller already holds (athletes loaded while the class was not)
  // keep their place and take the contents.
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    TeamRecord*& r = teams_[c][t];
    if (r)
      *r = block->teams[t];
    else
      r = &block->teams[t];
    for (int32_t m = 0; m < kMaxAthletes; ++m) {
      AthleteRecord*& a = athletes_[c][t][m];
      if (a)
        *a = block->athletes[t][m];
      else
        a = &block->athletes[t][m];
    }
  }
  blocks_[c] = std::move(block);
  users_[c] = static_cast<int32_t>(flag);
  return 1;
}

TeamRecord* Memory::getTeam(int32_t c, int32_t t) const {
  return validTeam(c, t) ? teams_[c][t] : nullptr;
}

AthleteRecord* Memory::getAthlete(int32_t c, int32_t t, int32_t m) const {
  return validTeam(c, t) && m >= 0 && m < kMaxAthletes ? athletes_[c][t][m] : nullptr;
}

TeamRecord* Memory::loadTeamAthletes(int32_t c, int32_t t) {
  if (!validTeam(c, t)) return nullptr;
  for (int32_t m = 0; m < kMaxAthletes; ++m) {
    AthleteRecord*& a = athletes_[c][t][m];
    if (a) continue;
    a = new (std::nothrow) AthleteRecord;
    if (!a || !ReadAt(mda_, AthleteOffset(c, t, m), a, sizeof *a)) {
      freeTeam(c, t);
      return nullptr;
    }
  }
  return teams_[c][t];
}

int32_t Memory::releaseClass(int32_t c, int32_t mask) {
  if (!validClass(c)) return 1;
  users_[c] &= ~mask;
  if (users_[c] == 0) freeClass(c);
  return 1;
}

int32_t Memory::freeTeam(int32_t c, int32_t t) {
  if (!validTeam(c, t)) return 0;
  for (AthleteRecord*& a : athletes_[c][t]) {
    if (a && !pooled(c, a)) delete a;
    a = nullptr;
  }
  TeamRecord*& r = teams_[c][t];
  if (!r) return 0;
  if (!pooled(c, r)) delete r;
  r = nullptr;
  return 1;
}

bool Memory::athletesOf(int32_t c, int32_t t, uint8_t* out) const {
  for (int32_t m = 0; m < kMaxAthletes; ++m) {
    const AthleteRecord* a = athletes_[c][t][m];
    if (!a) return false;
    std::memcpy(out + m * sizeof(AthleteRecord), a, sizeof(AthleteRecord));
  }
  return true;
}

bool Memory::commit(const std::vector<StoreJournal::Write>& writes) {
  std::FILE* const files[2] = {sda_, mda_};
  return filesOk_ && journal_ && journal_->apply(files, writes);
}

int32_t Memory::writeTeam(int32_t c, int32_t t) {
  TeamRecord* r = getTeam(c, t);
  if (!r) return 0;
  return commit({{0, TeamOffset(c, t), r, sizeof *r}}) ? 1 : 0;
}

int32_t Memory::writeAthletes(int32_t c, int32_t t) {
  if (!validTeam(c, t)) return 0;
  uint8_t block[sizeof(AthleteRecord) * kMaxAthletes];
  if (!athletesOf(c, t, block)) return 0;
  return commit({{1, AthleteOffset(c, t, 0), block, sizeof block}}) ? 1 : 0;
}

int32_t Memory::saveTeam(int32_t c, int32_t t) {
  TeamRecord* r = getTeam(c, t);
  if (!r) return 0;
  // The athletes are numbered in a copy: memory takes the numbers only
  // once team and athletes are on the disk together.
  AthleteRecord numbered[kMaxAthletes];
  if (!athletesOf(c, t, reinterpret_cast<uint8_t*>(numbered))) return 0;
  // Only members 0-12 exist, whatever the stored numbers say.
  int64_t first = r->firstAthlete;
  for (int64_t n = first; n <= r->lastAthlete && n - first < kMaxAthletes; ++n) {
    numbered[n - first].athleteNumber = static_cast<int32_t>(n);
    numbered[n - first].teamNumber = r->MNR;
  }
  if (!commit({{0, TeamOffset(c, t), r, sizeof *r}, {1, AthleteOffset(c, t, 0), numbered, sizeof numbered}}))
    return 0;
  for (int32_t m = 0; m < kMaxAthletes; ++m) *athletes_[c][t][m] = numbered[m];
  return 1;
}

int32_t Memory::removeTeam(int32_t c, int32_t t) {
  if (!validTeam(c, t) || !teams_[c][t]) return 1;
  // The end place: the first place after t whose moved-in team is unnamed.
  int32_t end = kMaxTeams - 1;
  for (int32_t p = t; p < kMaxTeams - 1; ++p) {
    const TeamRecord* moved = teams_[c][p + 1];
    if (!moved || FieldLength(moved->schoolName) == 0) {
      end = p;
      break;
    }
  }
  // Places 0 .. end as they will be: the teams behind t moved up one place,
  // the removed team's records blanked whole at the end place (nothing of it
  // stays in the file but the field at 492).
  const size_t teamBytes = sizeof(TeamRecord), athleteBytes = sizeof(AthleteRecord) * kMaxAthletes;
  std::vector<uint8_t> teams((end + 1) * teamBytes), athletes((end + 1) * athleteBytes);
  for (int32_t p = 0; p <= end; ++p) {
    const int32_t from = p < t ? p : p < end ? p + 1 : t;
    if (!teams_[c][from] || !athletesOf(c, from, &athletes[p * athleteBytes])) return 0;
    std::memcpy(&teams[p * teamBytes], teams_[c][from], teamBytes);
  }
  TeamRecord blank;
  BlankTeamRecord(blank);
  blank.reserved492 = teams_[c][t]->reserved492;
  blank.firstAthlete = -1;
  blank.lastAthlete = -1;
  std::memcpy(&teams[end * teamBytes], &blank, teamBytes);
  AthleteRecord blankAthlete;
  BlankAthleteRecord(blankAthlete);
  for (int32_t m = 0; m < kMaxAthletes; ++m)
    std::memcpy(&athletes[end * athleteBytes + m * sizeof blankAthlete], &blankAthlete, sizeof blankAthlete);
  if (!commit({{0, TeamOffset(c, 0), teams.data(), teams.size()},
               {1, AthleteOffset(c, 0, 0), athletes.data(), athletes.size()}}))
    return 0;

  // Memory follows the disk: the records move with their pointers.
  TeamRecord* keptTeam = teams_[c][t];
  AthleteRecord* keptAthletes[kMaxAthletes];
  std::memcpy(keptAthletes, athletes_[c][t], sizeof keptAthletes);
  for (int32_t p = t; p < end; ++p) {
    teams_[c][p] = teams_[c][p + 1];
    std::memcpy(athletes_[c][p], athletes_[c][p + 1], sizeof athletes_[c][p]);
  }
  teams_[c][end] = keptTeam;
  std::memcpy(athletes_[c][end], keptAthletes, sizeof keptAthletes);
  *keptTeam = blank;
  for (AthleteRecord* a : athletes_[c][end]) *a = blankAthlete;
  releaseClass(c, 255);
  return loadClass(c, kUserStore);
}
