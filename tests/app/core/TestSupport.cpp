#include "tests/app/core/TestSupport.h"

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace kel::test {

namespace fs = std::filesystem;

ClassRecord MakeClass(const char* name, int16_t season, int16_t disciplines, int16_t oldest,
                      int16_t youngest, int16_t places) {
  ClassRecord c;
  std::memset(&c, 0, sizeof c);
  SetFieldText(c.name, name);
  c.athletesPerTeam = 13;
  c.disciplineCount = disciplines;
  c.season = season;
  c.oldestYear = oldest;
  c.youngestYear = youngest;
  c.teamPlaces = places;
  return c;
}

DisciplineRecord MakeDiscipline(const char* name, const char* mask, int32_t type, int32_t most) {
  DisciplineRecord d;
  std::memset(&d, 0, sizeof d);
  SetFieldText(d.name, name);
  SetFieldText(d.mask, mask);
  d.type = type;
  d.maxStarters = most;
  return d;
}

std::string FixturePath(const std::string& relative) {
  const char* root = std::getenv("KEL_FIXTURES");
  std::string p = std::string(root ? root : "fixtures") + "/" + relative;
#ifdef _WIN32
  // The build tree is a host path: reach it through Wine's drive Z:.
  for (char& ch : p)
    if (ch == '/') ch = '\\';
  if (!p.empty() && p[0] == '\\') p = "Z:" + p;
#endif
  return p;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string bytes = FileBytes(path);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void CopyBytes(const std::string& from, const std::string& to) {
  std::vector<uint8_t> b = ReadBytes(from);
  ASSERT_FALSE(b.empty() && !fs::exists(from)) << from;
  WriteBytes(to, b);
}

int32_t ReadInt32(const std::vector<uint8_t>& bytes, size_t offset) {
  int32_t v = 0;
  if (offset + 4 <= bytes.size()) std::memcpy(&v, &bytes[offset], 4);
  return v;
}

void CoreTest::SetUp() {
  setPlatform(&platform_);
  BuildProgramPaths(state_.settings, dir_.path() + kPathSep);
  fs::create_directories(state_.settings.treiberDir);
  ResetClassNames(state_);
  state_.meldefehler = std::make_unique<Meldefehler>();
}

void CoreTest::TearDown() {
  // The store closes its files before the platform double goes.
  state_.memory.reset();
  setPlatform(nullptr);
}

bool CoreTest::LoadFixtureEvent(const std::string& relative) {
  std::string name = relative.substr(relative.find_last_of('/') + 1);
  CopyBytes(FixturePath(relative), state_.settings.treiberDir + kPathSep + name);
  EventListEntry e;
  e.valid = 1;
  e.fromHeader = 1;
  e.fileName = name;
  return LoadEventFile(state_, e, 0) == 1;
}

void CoreTest::CopyFixtureData(const std::string& folder, const std::string& base) {
  fs::create_directories(state_.settings.veranstDir);
  for (const char* ext : {".SDA", ".MDA", ".STF"})
    CopyBytes(FixturePath(folder + "/" + base + ext), state_.settings.veranstDir + kPathSep + base + ext);
}

void CoreTest::UseEvent(const std::vector<ClassRecord>& classes,
                        const std::vector<std::vector<DisciplineRecord>>& disciplines) {
  auto def = std::make_unique<EventDefinition>();
  std::memset(def.get(), 0, sizeof *def);
  def->classCount = static_cast<int16_t>(classes.size());
  for (size_t c = 0; c < classes.size(); ++c) {
    def->classes[c] = classes[c];
    state_.classBounds[c][0] = classes[c].oldestYear;
    state_.classBounds[c][1] = classes[c].youngestYear;
    SetFieldText(state_.classNames[c + 1], FieldText(classes[c].name));
    for (size_t k = 0; k < disciplines[c].size(); ++k) def->disciplines[c][k] = disciplines[c][k];
  }
  state_.eventDef = std::move(def);
  state_.eventName = std::string(1, kPathSep) + "TEST.";
  state_.eventLoaded = 1;
  ASSERT_EQ(CreateBlankDataFiles(state_), 1);
  state_.memory = std::make_unique<Memory>(state_);
  ASSERT_TRUE(state_.memory->isReady());
}

}  // namespace kel::test
