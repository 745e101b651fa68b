#include "app/core/Memory.h"

#include "app/core/DataFileHeader.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"

#include <cstring>
#include <new>
#include <vector>

std::unique_ptr<Memory> gMemory;

namespace {

bool ReadAt(std::FILE* f, int32_t pos, void* buf, size_t n) {
  return f && std::fseek(f, pos, SEEK_SET) == 0 && std::fread(buf, 1, n, f) == n;
}

size_t ReadUpTo(std::FILE* f, int32_t pos, void* buf, size_t n) {
  if (!f || std::fseek(f, pos, SEEK_SET) != 0) return 0;
  return std::fread(buf, 1, n, f);
}

bool WriteAt(std::FILE* f, int32_t pos, const void* buf, size_t n) {
  return f && std::fseek(f, pos, SEEK_SET) == 0 && std::fwrite(buf, 1, n, f) == n;
}

bool HeaderOk(std::FILE* f) {
  DataFileHeader h;
  return ReadAt(f, 0, &h, sizeof h) && h.magic == kDataFileMagic;
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

std::string DataFilePath(const char* extension) {
  return gSettings.veranstDir + gEventName + extension;
}

Memory::Memory() {
  sda_ = std::fopen(DataFilePath("SDA").c_str(), "r+b");
  mda_ = std::fopen(DataFilePath("MDA").c_str(), "r+b");
  bool stfOk = false;
  if (std::FILE* stf = std::fopen(DataFilePath("STF").c_str(), "rb")) {
    stfOk = HeaderOk(stf);
    std::fclose(stf);
  }
  if (!sda_ || !mda_ || !stfOk) return;
  bool ok = true;
  int32_t count = gEventDef ? static_cast<int32_t>(gEventDef->classCount) : 0;
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
  if (sda_) std::fclose(sda_);
  if (mda_) std::fclose(mda_);
}

void Memory::freeClass(int32_t c) {
  for (int32_t t = 0; t < kMaxTeams; ++t) freeTeam(c, t);
}

int32_t Memory::loadClass(int32_t c, int32_t bit) {
  if (!validClass(c) || bit < 0 || bit > 31) return 0;
  uint32_t flag = 1u << bit;
  if (users_[c] != 0) {
    users_[c] = static_cast<int32_t>(static_cast<uint32_t>(users_[c]) | flag);
    return 1;
  }
  // Both headers are checked first: a refused file loads nothing of the class.
  // The bit is set only once the class is loaded, so that a failed load
  // leaves the class unheld.
  if (!HeaderOk(sda_) || !HeaderOk(mda_)) return 0;
  // The class's records lie together: each block is read at once, and the
  // records that came back whole are kept even when the block is short.
  std::vector<uint8_t> block(sizeof(TeamRecord) * kMaxTeams);
  size_t got = ReadUpTo(sda_, TeamOffset(c, 0), block.data(), block.size());
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    if ((t + 1) * sizeof(TeamRecord) > got) return 0;
    if (!teams_[c][t]) teams_[c][t] = new TeamRecord;
    std::memcpy(teams_[c][t], &block[t * sizeof(TeamRecord)], sizeof(TeamRecord));
  }
  const size_t teamAthletes = sizeof(AthleteRecord) * kMaxAthletes;  // 1,742 bytes
  block.resize(teamAthletes * kMaxTeams);
  got = ReadUpTo(mda_, AthleteOffset(c, 0, 0), block.data(), block.size());
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    for (int32_t m = 0; m < kMaxAthletes; ++m) {
      size_t at = t * teamAthletes + m * sizeof(AthleteRecord);
      if (at + sizeof(AthleteRecord) > got) return 0;
      AthleteRecord*& a = athletes_[c][t][m];
      if (!a) a = new AthleteRecord;
      std::memcpy(a, &block[at], sizeof(AthleteRecord));
    }
  }
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
    delete a;
    a = nullptr;
  }
  if (!teams_[c][t]) return 0;
  delete teams_[c][t];
  teams_[c][t] = nullptr;
  return 1;
}

int32_t Memory::writeTeam(int32_t c, int32_t t) {
  TeamRecord* r = getTeam(c, t);
  if (!r || !WriteAt(sda_, TeamOffset(c, t), r, sizeof *r)) return 0;
  return std::fflush(sda_) == 0 ? 1 : 0;
}

int32_t Memory::writeAthletes(int32_t c, int32_t t) {
  if (!validTeam(c, t)) return 0;
  bool ok = true;
  for (int32_t m = 0; m < kMaxAthletes; ++m) {
    AthleteRecord* a = athletes_[c][t][m];
    if (!a || !WriteAt(mda_, AthleteOffset(c, t, m), a, sizeof *a)) ok = false;
  }
  if (!mda_ || std::fflush(mda_) != 0) ok = false;
  return ok ? 1 : 0;
}

int32_t Memory::saveTeam(int32_t c, int32_t t) {
  TeamRecord* r = getTeam(c, t);
  if (!r) return 0;
  int32_t ok = writeTeam(c, t);
  // Only members 0-12 exist, whatever the stored numbers say.
  int64_t first = r->firstAthlete;
  for (int64_t n = first; n <= r->lastAthlete && n - first < kMaxAthletes; ++n) {
    if (AthleteRecord* a = athletes_[c][t][n - first]) {
      a->athleteNumber = static_cast<int32_t>(n);
      a->teamNumber = r->MNR;
    }
  }
  return writeAthletes(c, t) && ok ? 1 : 0;
}

int32_t Memory::removeTeam(int32_t c, int32_t t) {
  if (!validTeam(c, t) || !teams_[c][t]) return 1;
  TeamRecord* keptTeam = teams_[c][t];
  AthleteRecord* keptAthletes[kMaxAthletes];
  std::memcpy(keptAthletes, athletes_[c][t], sizeof keptAthletes);

  int32_t end = kMaxTeams - 1;
  for (int32_t p = t; p < kMaxTeams - 1; ++p) {
    teams_[c][p] = teams_[c][p + 1];
    std::memcpy(athletes_[c][p], athletes_[c][p + 1], sizeof athletes_[c][p]);
    const TeamRecord* moved = teams_[c][p];
    if (!moved || FieldLength(moved->schoolName) == 0) {
      end = p;
      break;
    }
  }
  // The freed place takes the removed team's records, blanked whole so that
  // nothing of the removed team stays in the file.
  teams_[c][end] = keptTeam;
  std::memcpy(athletes_[c][end], keptAthletes, sizeof keptAthletes);
  int32_t keep492 = keptTeam->reserved492;
  BlankTeamRecord(*keptTeam);
  keptTeam->reserved492 = keep492;
  keptTeam->firstAthlete = -1;
  keptTeam->lastAthlete = -1;
  for (AthleteRecord* a : athletes_[c][end])
    if (a) BlankAthleteRecord(*a);

  bool ok = true;
  for (int32_t p = 0; p <= end; ++p) {
    if (!writeTeam(c, p)) ok = false;
    if (!writeAthletes(c, p)) ok = false;
  }
  releaseClass(c, 255);
  if (!loadClass(c, kUserStore)) ok = false;
  return ok ? 1 : 0;
}
