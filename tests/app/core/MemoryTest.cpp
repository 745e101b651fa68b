#include "app/core/DataFileHeader.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "tests/app/core/TestSupport.h"

#include <cstring>
#include <filesystem>

namespace kel::test {
namespace {

namespace fs = std::filesystem;

class MemoryTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  }
  // Profile A with its fixture data files.
  void openFixtureStore() {
    CopyFixtureData("A/veranst", "KREIS2010");
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
  }
  void openBlankStore() {
    ASSERT_EQ(CreateBlankDataFiles(state_), 1);
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
  }
  void nameTeams(int32_t c, int32_t count) {
    for (int32_t t = 0; t < count; ++t) {
      SetFieldText(state_.memory->getTeam(c, t)->schoolName, "T" + std::to_string(t));
      state_.memory->getTeam(c, t)->MNR = 100 + t;
      SetFieldText(state_.memory->getAthlete(c, t, 0)->name, "A" + std::to_string(t));
      ASSERT_EQ(state_.memory->saveTeam(c, t), 1);
    }
  }
  std::string school(int32_t c, int32_t t) { return FieldText(state_.memory->getTeam(c, t)->schoolName); }
};

TEST_F(MemoryTest, BlankFilesHaveTheirSizesHeaderAndBlankRecords) {
  ASSERT_EQ(CreateBlankDataFiles(state_), 1);
  struct { const char* ext; uintmax_t size; } files[] = {{"SDA", 216108}, {"MDA", 418188}, {"STF", 7788}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.ext);
    std::vector<uint8_t> b = ReadBytes(DataFilePath(state_, f.ext));
    ASSERT_EQ(b.size(), f.size);
    EXPECT_EQ(std::memcmp(b.data(), "\r\nQUANTELOR", 11), 0);
    EXPECT_EQ(b[61], '\n');
    EXPECT_EQ(b[62], 0);
    EXPECT_EQ(ReadInt32(b, 100), 12345678);
    EXPECT_EQ(b[100], 0x4E);  // 0xBC614E, little-endian
    EXPECT_EQ(ReadInt32(b, 104), 300);
  }
  std::vector<uint8_t> sda = ReadBytes(DataFilePath(state_, "SDA"));
  const size_t last = TeamOffset(11, 19);
  EXPECT_EQ(ReadInt32(sda, last + 352), -1);
  EXPECT_EQ(ReadInt32(sda, last + 356), -1);
  EXPECT_EQ(ReadInt32(sda, last + 360), 1);
  EXPECT_EQ(ReadInt32(sda, last + 364), 13);
  std::vector<uint8_t> mda = ReadBytes(DataFilePath(state_, "MDA"));
  const size_t a = AthleteOffset(11, 19, 12);
  EXPECT_EQ(ReadInt32(mda, a + 36), -1);
  EXPECT_EQ(ReadInt32(mda, a + 40), -1);
  EXPECT_EQ(mda[a + 44], 0);
}

TEST_F(MemoryTest, LoadsTheRecordsOfEveryClass) {
  openFixtureStore();
  const TeamRecord* t = state_.memory->getTeam(0, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(FieldText(t->schoolName), "Goethe-Gymnasium");
  EXPECT_EQ(FieldText(t->listName), "Goethe I");
  EXPECT_EQ(FieldText(t->street), "Hauptstraße 1");
  EXPECT_EQ(t->MNR, 7);
  EXPECT_EQ(t->relayTimes[0], 5312);
  const AthleteRecord* a = state_.memory->getAthlete(0, 0, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(FieldText(a->name), "Max Muster");
  EXPECT_EQ(FieldText(a->JG), "96");
  EXPECT_EQ(a->Leistung[0], 1234);
  EXPECT_EQ(FieldText(state_.memory->getAthlete(1, 0, 0)->name), "Lena Roth");
  EXPECT_NE(state_.memory->getAthlete(11, 19, 12), nullptr);
  EXPECT_EQ(state_.memory->getTeam(12, 0), nullptr);
  EXPECT_EQ(state_.memory->getAthlete(0, 0, 13), nullptr);
  for (int32_t c = 0; c < 12; ++c) EXPECT_EQ(state_.memory->userMask(c), 1 << 16);
}

TEST_F(MemoryTest, SaveNumbersAthletesAndWritesRecordsInPlaceKeepingReservedBytes) {
  openFixtureStore();
  const std::vector<uint8_t> sdaBefore = ReadBytes(DataFilePath(state_, "SDA"));
  const std::vector<uint8_t> mdaBefore = ReadBytes(DataFilePath(state_, "MDA"));
  ASSERT_EQ(state_.memory->saveTeam(0, 0), 1);  // first athlete 14, last 26, team 7

  for (int32_t m = 0; m < 13; ++m) {
    EXPECT_EQ(state_.memory->getAthlete(0, 0, m)->athleteNumber, 14 + m);
    EXPECT_EQ(state_.memory->getAthlete(0, 0, m)->teamNumber, 7);
  }
  const std::vector<uint8_t> sda = ReadBytes(DataFilePath(state_, "SDA"));
  const std::vector<uint8_t> mda = ReadBytes(DataFilePath(state_, "MDA"));
  EXPECT_EQ(sda, sdaBefore);  // the team record itself did not change
  for (int32_t m = 0; m < 13; ++m) {
    const size_t off = AthleteOffset(0, 0, m);
    EXPECT_EQ(ReadInt32(mda, off + 36), 14 + m);
    EXPECT_EQ(ReadInt32(mda, off + 40), 7);
    // Everything else of the record, reserved fields included, is kept byte for byte.
    std::vector<uint8_t> was(mdaBefore.begin() + off, mdaBefore.begin() + off + 134);
    std::vector<uint8_t> now(mda.begin() + off, mda.begin() + off + 134);
    std::memset(&was[36], 0, 8);
    std::memset(&now[36], 0, 8);
    EXPECT_EQ(now, was) << "member " << m;
  }
  EXPECT_EQ(mda[AthleteOffset(0, 0, 0) + 74], 74 % 241);
}

TEST_F(MemoryTest, RecordsLieAtTheirFilePositions) {
  openBlankStore();
  struct { int32_t c, t, m; } places[] = {{2, 5, 3}, {0, 0, 0}, {11, 19, 12}};
  for (const auto& p : places) {
    SetFieldText(state_.memory->getTeam(p.c, p.t)->schoolName, "Schule-" + std::to_string(p.c));
    SetFieldText(state_.memory->getAthlete(p.c, p.t, p.m)->name, "Kind-" + std::to_string(p.m));
    ASSERT_EQ(state_.memory->writeTeam(p.c, p.t), 1);
    ASSERT_EQ(state_.memory->writeAthletes(p.c, p.t), 1);
  }
  EXPECT_EQ(TeamOffset(2, 5), 40608);
  EXPECT_EQ(AthleteOffset(2, 5, 3), 78900);
  const std::vector<uint8_t> sda = ReadBytes(DataFilePath(state_, "SDA"));
  const std::vector<uint8_t> mda = ReadBytes(DataFilePath(state_, "MDA"));
  EXPECT_EQ(sda.size(), 216108u);
  EXPECT_EQ(mda.size(), 418188u);
  EXPECT_STREQ(reinterpret_cast<const char*>(&sda[40608]), "Schule-2");
  EXPECT_STREQ(reinterpret_cast<const char*>(&mda[78900]), "Kind-3");
  EXPECT_STREQ(reinterpret_cast<const char*>(&sda[TeamOffset(11, 19)]), "Schule-11");
  EXPECT_STREQ(reinterpret_cast<const char*>(&mda[AthleteOffset(11, 19, 12)]), "Kind-12");

  // A new store reads them back from the same places.
  state_.memory = std::make_unique<Memory>(state_);
  EXPECT_EQ(FieldText(state_.memory->getAthlete(2, 5, 3)->name), "Kind-3");
}

TEST_F(MemoryTest, SavingNeverNumbersMoreThanThirteenAthletes) {
  openBlankStore();
  TeamRecord* t = state_.memory->getTeam(0, 1);
  t->MNR = 3;
  t->firstAthlete = 14;
  t->lastAthlete = 2000000000;
  ASSERT_EQ(state_.memory->saveTeam(0, 1), 1);
  EXPECT_EQ(state_.memory->getAthlete(0, 1, 12)->athleteNumber, 26);
  EXPECT_EQ(state_.memory->getAthlete(0, 2, 0)->athleteNumber, -1);
}

TEST_F(MemoryTest, RemovingATeamKeepsTheClassPacked) {
  openBlankStore();
  nameTeams(3, 8);
  AthleteRecord* removedAthlete = state_.memory->getAthlete(3, 3, 0);
  ASSERT_EQ(state_.memory->removeTeam(3, 3), 1);
  const char* expected[] = {"T0", "T1", "T2", "T4", "T5", "T6", "T7", ""};
  for (int32_t t = 0; t < 8; ++t) EXPECT_EQ(school(3, t), expected[t]) << t;
  EXPECT_EQ(FieldText(state_.memory->getAthlete(3, 3, 0)->name), "A4");
  // The freed place is blank, its records wholly cleared.
  const TeamRecord* blank = state_.memory->getTeam(3, 7);
  EXPECT_EQ(blank->MNR, -1);
  EXPECT_EQ(blank->firstAthlete, -1);
  EXPECT_EQ(blank->schoolName[1], 0);
  EXPECT_EQ(state_.memory->getAthlete(3, 7, 0), removedAthlete);
  EXPECT_EQ(removedAthlete->name[0], 0);
  EXPECT_EQ(removedAthlete->athleteNumber, -1);

  // The files hold the packed class.
  state_.memory = std::make_unique<Memory>(state_);
  for (int32_t t = 0; t < 8; ++t) EXPECT_EQ(school(3, t), expected[t]) << t;
  EXPECT_EQ(FieldText(state_.memory->getAthlete(3, 6, 0)->name), "A7");
  EXPECT_EQ(FieldText(state_.memory->getAthlete(3, 7, 0)->name), "");
}

// The freed place on disk: numbers -1, everything else zero but the field at
// 492, which keeps the removed team's value; its athletes wholly blank.
TEST_F(MemoryTest, FreedPlaceIsBlankedOnDiskExceptTheFieldAt492) {
  openFixtureStore();  // class 0: Goethe (reserved bytes set) and Schiller
  ASSERT_EQ(state_.memory->removeTeam(0, 0), 1);
  const std::vector<uint8_t> sda = ReadBytes(DataFilePath(state_, "SDA"));
  const std::vector<uint8_t> mda = ReadBytes(DataFilePath(state_, "MDA"));
  EXPECT_STREQ(reinterpret_cast<const char*>(&sda[TeamOffset(0, 0)]), "Schiller-Realschule");
  std::vector<uint8_t> expected(900, 0);
  for (size_t off : {352, 356, 360, 364}) std::memset(&expected[off], 0xFF, 4);
  for (size_t i = 0; i < 4; ++i) expected[492 + i] = static_cast<uint8_t>((492 + i) % 251);
  const size_t place = TeamOffset(0, 1);
  EXPECT_EQ(std::vector<uint8_t>(sda.begin() + place, sda.begin() + place + 900), expected);
  std::vector<uint8_t> blankAthlete(134, 0);
  std::memset(&blankAthlete[36], 0xFF, 8);
  for (int32_t m = 0; m < 13; ++m) {
    const size_t a = AthleteOffset(0, 1, m);
    EXPECT_EQ(std::vector<uint8_t>(mda.begin() + a, mda.begin() + a + 134), blankAthlete) << m;
  }
}

TEST_F(MemoryTest, RemovingTheLastAndAFullClassAndAnEmptyPlace) {
  openBlankStore();
  nameTeams(4, 20);
  ASSERT_EQ(state_.memory->removeTeam(4, 0), 1);
  EXPECT_EQ(school(4, 0), "T1");
  EXPECT_EQ(school(4, 18), "T19");
  EXPECT_EQ(school(4, 19), "");
  ASSERT_EQ(state_.memory->removeTeam(4, 18), 1);  // the last used one
  EXPECT_EQ(school(4, 17), "T18");
  EXPECT_EQ(school(4, 18), "");
  // An empty place: the blank team moves back, nothing else changes.
  ASSERT_EQ(state_.memory->removeTeam(4, 19), 1);
  EXPECT_EQ(school(4, 17), "T18");
}

TEST_F(MemoryTest, RemovingAPlaceNotInMemoryChangesNothing) {
  state_.eventDef->classCount = 2;  // classes from 2 on are not loaded
  openBlankStore();
  ASSERT_EQ(state_.memory->getTeam(5, 0), nullptr);
  const std::vector<uint8_t> before = ReadBytes(DataFilePath(state_, "SDA"));
  EXPECT_EQ(state_.memory->removeTeam(5, 0), 1);
  EXPECT_EQ(ReadBytes(DataFilePath(state_, "SDA")), before);
}

TEST_F(MemoryTest, UserBitsKeepAClassWhileAnyIsHeld) {
  openFixtureStore();
  EXPECT_EQ(state_.memory->releaseClass(0, 255), 1);
  EXPECT_NE(state_.memory->getTeam(0, 0), nullptr);  // the store's own bit 16 holds it

  ASSERT_EQ(state_.memory->loadClass(0, 0), 1);
  EXPECT_EQ(state_.memory->userMask(0), (1 << 16) | 1);
  SetFieldText(state_.memory->getTeam(0, 0)->schoolName, "geändert");
  state_.memory->releaseClass(0, 1 << 16);
  EXPECT_EQ(school(0, 0), "geändert");  // still held by bit 0

  state_.memory->releaseClass(0, 1);
  EXPECT_EQ(state_.memory->getTeam(0, 0), nullptr);
  EXPECT_EQ(state_.memory->getAthlete(0, 0, 0), nullptr);
  // Loading again reads the files: the unsaved change is gone.
  ASSERT_EQ(state_.memory->loadClass(0, 1), 1);
  EXPECT_EQ(school(0, 0), "Goethe-Gymnasium");
  EXPECT_EQ(state_.memory->freeTeam(0, 0), 1);
  EXPECT_EQ(state_.memory->freeTeam(0, 0), 0);
  EXPECT_EQ(state_.memory->loadTeamAthletes(0, 0), nullptr);  // no team record
  ASSERT_NE(state_.memory->loadTeamAthletes(0, 1), nullptr);

  // Athletes loaded while their class is not held keep their records when
  // the class is loaded, and everything is freed once (the sanitizers watch).
  state_.memory->releaseClass(0, 255);
  EXPECT_EQ(state_.memory->loadTeamAthletes(0, 1), nullptr);  // no team record
  AthleteRecord* const held = state_.memory->getAthlete(0, 1, 0);
  ASSERT_NE(held, nullptr);
  ASSERT_EQ(state_.memory->loadClass(0, 0), 1);
  EXPECT_EQ(state_.memory->getAthlete(0, 1, 0), held);
  EXPECT_EQ(school(0, 0), "Goethe-Gymnasium");
  state_.memory->releaseClass(0, 1);
  EXPECT_EQ(state_.memory->getAthlete(0, 1, 0), nullptr);
}

TEST_F(MemoryTest, AFailedClassLoadReportsFailureAndHoldsNothing) {
  // The file goes bad after the store opened; the class is loaded anew.
  const struct {
    const char* ext;
    int32_t cutTo;  // 0: the header is damaged instead
  } cases[] = {{"SDA", 0}, {"MDA", 0}, {"SDA", TeamOffset(0, 10)}, {"MDA", AthleteOffset(0, 10, 0)}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.ext) + (k.cutTo ? " cut" : " header"));
    state_.memory.reset();
    openFixtureStore();
    if (k.cutTo) {
      fs::resize_file(DataFilePath(state_, k.ext), static_cast<uintmax_t>(k.cutTo));
    } else {
      std::FILE* f = std::fopen(DataFilePath(state_, k.ext).c_str(), "r+b");
      ASSERT_NE(f, nullptr);
      const uint8_t bad[4] = {1, 2, 3, 4};
      std::fseek(f, 100, SEEK_SET);
      std::fwrite(bad, 1, sizeof bad, f);
      std::fclose(f);
    }
    state_.memory->releaseClass(0, 1 << 16);
    ASSERT_EQ(state_.memory->getTeam(0, 0), nullptr);

    EXPECT_EQ(state_.memory->loadClass(0, 0), 0);
    EXPECT_EQ(state_.memory->userMask(0), 0);
    EXPECT_EQ(state_.memory->getTeam(0, 0), nullptr);
    // A second attempt is a load, not a bit added to a held class.
    EXPECT_EQ(state_.memory->loadClass(0, 0), 0);
    EXPECT_EQ(state_.memory->userMask(0), 0);
  }
}

TEST_F(MemoryTest, NewRecordsAreBlank) {
  std::unique_ptr<TeamRecord> t(NewTeamRecord());
  std::unique_ptr<AthleteRecord> a(NewAthleteRecord());
  ASSERT_TRUE(t && a);
  EXPECT_EQ(t->reserved352, -1);
  EXPECT_EQ(t->MNR, -1);
  EXPECT_EQ(t->firstAthlete, 1);
  EXPECT_EQ(t->lastAthlete, 13);
  EXPECT_EQ(t->relayTimes[7], 0);
  EXPECT_EQ(a->athleteNumber, -1);
  EXPECT_EQ(a->teamNumber, -1);
  EXPECT_EQ(a->mask, 0);
}

// Damaged data files: the store is made but reads nothing from them and
// says it is not ready, whatever the event's class count.
TEST_F(MemoryTest, DamagedDataFilesAreNotRead) {
  struct Case {
    const char* name;
    const char* ext;
    int32_t resizeTo;  // -1: keep the size
    int32_t magic;     // 0: keep
    bool remove;
    const char* swapWith;  // the two files exchanged
  } cases[] = {
      {"team file magic", "SDA", -1, 12345679, false, nullptr},
      {"athlete file magic", "MDA", -1, 1, false, nullptr},
      {"table file magic", "STF", -1, 87654321, false, nullptr},
      {"table file short", "STF", 50, 0, false, nullptr},
      {"team file cut behind the last class", "SDA", kSdaFileSize - 900, 0, false, nullptr},
      {"team file short", "SDA", 50000, 0, false, nullptr},
      {"team file one byte long", "SDA", kSdaFileSize + 1, 0, false, nullptr},
      {"athlete file empty", "MDA", 0, 0, false, nullptr},
      {"athlete file missing", "MDA", -1, 0, true, nullptr},
      {"team and athlete files exchanged", "SDA", -1, 0, false, "MDA"},
  };
  for (int16_t classes : {12, 6, 0}) {
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(k.name) + ", classes " + std::to_string(classes));
      state_.memory.reset();
      state_.eventDef->classCount = classes;
      CopyFixtureData("A/veranst", "KREIS2010");
      const std::string path = DataFilePath(state_, k.ext);
      if (k.swapWith) {
        fs::rename(path, path + ".x");
        fs::rename(DataFilePath(state_, k.swapWith), path);
        fs::rename(path + ".x", DataFilePath(state_, k.swapWith));
      }
      std::vector<uint8_t> b = ReadBytes(path);
      if (k.magic) std::memcpy(&b[100], &k.magic, 4);
      if (k.resizeTo >= 0) b.resize(static_cast<size_t>(k.resizeTo));
      if (k.remove)
        fs::remove(path);
      else
        WriteBytes(path, b);
      state_.memory = std::make_unique<Memory>(state_);
      EXPECT_FALSE(state_.memory->isReady());
      EXPECT_EQ(state_.memory->getTeam(0, 0), nullptr);
      EXPECT_EQ(state_.memory->loadClass(0, 0), 0);
      EXPECT_EQ(state_.memory->writeTeam(0, 0), 0);
      EXPECT_EQ(state_.memory->removeTeam(11, 19), 1);
    }
  }
  // The same files whole: ready with 0 classes too.
  state_.memory.reset();
  CopyFixtureData("A/veranst", "KREIS2010");
  state_.memory = std::make_unique<Memory>(state_);
  EXPECT_TRUE(state_.memory->isReady());
}

}  // namespace
}  // namespace kel::test
