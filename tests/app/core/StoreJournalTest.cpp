// The store's operations are whole or not at all: a write that fails at any
// step leaves memory and disk as they were, a journal left by a crash is
// undone at the next opening, and (natively) a child process killed at
// random moments of its saves, removals and blank-file writes never leaves
// a mixed store or a stray file behind.
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/core/StoreJournal.h"
#include "tests/app/core/TestSupport.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

namespace kel::test {
namespace {

namespace fs = std::filesystem;

// The records of class 0 as memory holds them.
std::vector<uint8_t> ClassInMemory(const Memory& store) {
  std::vector<uint8_t> out;
  auto add = [&out](const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
  };
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    if (const TeamRecord* r = store.getTeam(0, t)) add(r, sizeof *r);
    for (int32_t m = 0; m < kMaxAthletes; ++m)
      if (const AthleteRecord* a = store.getAthlete(0, t, m)) add(a, sizeof *a);
  }
  return out;
}

[[maybe_unused]] std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
  return out;
}

class StoreJournalTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  }
  void TearDown() override {
    setFileSystem(nullptr);
    CoreTest::TearDown();
  }
  void openFixtureStore() {
    setFileSystem(nullptr);
    state_.memory.reset();
    CopyFixtureData("A/veranst", "KREIS2010");
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
  }
  std::vector<uint8_t> disk() {
    std::vector<uint8_t> b = ReadBytes(DataFilePath(state_, "SDA")), m = ReadBytes(DataFilePath(state_, "MDA"));
    b.insert(b.end(), m.begin(), m.end());
    return b;
  }
};

struct StoreOp {
  const char* name;
  std::function<void(Memory&)> edit;  // unsaved changes made before the operation
  std::function<int32_t(Memory&)> run;
};

const StoreOp kOps[] = {
    {"writeTeam", [](Memory& s) { SetFieldText(s.getTeam(0, 0)->schoolName, "Neu"); },
     [](Memory& s) { return s.writeTeam(0, 0); }},
    {"writeAthletes", [](Memory& s) { SetFieldText(s.getAthlete(0, 0, 12)->name, "Neu"); },
     [](Memory& s) { return s.writeAthletes(0, 0); }},
    {"saveTeam",
     [](Memory& s) {
       SetFieldText(s.getTeam(0, 1)->town, "Neustadt");
       s.getTeam(0, 1)->MNR = 99;  // renumbers every athlete
       SetFieldText(s.getAthlete(0, 1, 5)->name, "Neu");
     },
     [](Memory& s) { return s.saveTeam(0, 1); }},
    {"removeTeam", [](Memory&) {}, [](Memory& s) { return s.removeTeam(0, 0); }},
};

TEST_F(StoreJournalTest, AFailedWriteChangesNeitherMemoryNorDisk) {
  for (const StoreOp& op : kOps) {
    for (bool diskGoesBad : {false, true}) {
      bool succeeded = false;
      for (int64_t at = 0; at < 40 && !succeeded; ++at) {
        SCOPED_TRACE(std::string(op.name) + (diskGoesBad ? ", every write from " : ", write ") +
                     std::to_string(at));
        openFixtureStore();
        op.edit(*state_.memory);
        const std::vector<uint8_t> memoryBefore = ClassInMemory(*state_.memory), diskBefore = disk();
        FailingFileSystem failing;
        failing.failAt = at;
        failing.failAfter = diskGoesBad;
        setFileSystem(&failing);
        succeeded = op.run(*state_.memory) == 1;
        if (succeeded) {
          EXPECT_TRUE(disk() != diskBefore);
          continue;
        }
        EXPECT_EQ(ClassInMemory(*state_.memory), memoryBefore);
        if (!diskGoesBad) {
          EXPECT_TRUE(disk() == diskBefore);
        }
        // With the disk bad to the end the old bytes may not have gone back
        // yet: the next opening writes them back.
        setFileSystem(nullptr);
        state_.memory.reset();
        state_.memory = std::make_unique<Memory>(state_);
        EXPECT_TRUE(disk() == diskBefore);
        EXPECT_TRUE(state_.memory->isReady());
      }
      EXPECT_TRUE(succeeded) << op.name;
    }
  }
}

TEST_F(StoreJournalTest, AJournalLeftByACrashIsUndoneOrDropped) {
  openFixtureStore();
  const std::vector<uint8_t> before = disk();
  // The journal of a save that was cut off in the middle of its writes:
  // complete, with the old bytes of the team and its athletes.
  const std::string journal = DataFilePath(state_, "JRN");
  {
    std::FILE* files[2] = {std::fopen(DataFilePath(state_, "SDA").c_str(), "r+b"), std::fopen(DataFilePath(state_, "MDA").c_str(), "r+b")};
    StoreJournal j(journal);
    TeamRecord changed = *state_.memory->getTeam(0, 0);
    SetFieldText(changed.schoolName, "Halb");
    ASSERT_TRUE(j.apply(files, {{0, TeamOffset(0, 0), &changed, sizeof changed}}));
    for (std::FILE* f : files) std::fclose(f);
  }
  EXPECT_FALSE(fs::exists(journal));
  // Built by hand: old bytes of team (0,0), then the new bytes in place.
  auto u32 = [](std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  std::vector<uint8_t> record = {'K', 'J', 'R', 'N'};
  u32(record, 12 + 900);
  u32(record, 1);
  record.insert(record.end(), {0, 0, 0, 0});
  u32(record, static_cast<uint32_t>(TeamOffset(0, 0)));
  u32(record, 900);
  record.insert(record.end(), before.begin() + TeamOffset(0, 0), before.begin() + TeamOffset(0, 0) + 900);
  u32(record, Crc32(record.data(), record.size()));
  std::vector<uint8_t> halfDone = before;
  std::memset(&halfDone[TeamOffset(0, 0)], 'X', 900);

  struct Case {
    const char* name;
    size_t keep;       // bytes of the record that reached the file
    bool undone;       // the old bytes come back
  } cases[] = {{"complete", record.size(), true},
               {"without its checksum", record.size() - 4, false},
               {"cut in the old bytes", 100, false},
               {"only the mark", 4, false},
               {"empty", 0, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    state_.memory.reset();
    std::vector<uint8_t> sda(halfDone.begin(), halfDone.begin() + kSdaFileSize);
    WriteBytes(DataFilePath(state_, "SDA"), k.keep == record.size() ? sda : std::vector<uint8_t>(before.begin(), before.begin() + kSdaFileSize));
    WriteBytes(journal, std::vector<uint8_t>(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(k.keep)));
    state_.memory = std::make_unique<Memory>(state_);
    EXPECT_TRUE(state_.memory->isReady());
    EXPECT_TRUE(disk() == before);
    EXPECT_EQ(FieldText(state_.memory->getTeam(0, 0)->schoolName), "Goethe-Gymnasium");
    EXPECT_FALSE(fs::exists(journal));
  }
}

#ifndef _WIN32
// One class of 13 athletes per team. Teams are named "S<g>" with the number
// g of the save that wrote them; their athletes carry g as team number and
// their member number as athlete number.
void SaveGeneration(Memory& store, int32_t t, int32_t g) {
  TeamRecord* r = store.getTeam(0, t);
  SetFieldText(r->schoolName, "S" + std::to_string(g));
  r->MNR = g;
  r->firstAthlete = 1;
  r->lastAthlete = 13;
  for (int32_t m = 0; m < kMaxAthletes; ++m) SetFieldText(store.getAthlete(0, t, m)->name, "A" + std::to_string(g));
  store.saveTeam(0, t);
}

// A store is whole when every named team's athletes belong to it, the named
// teams lie packed at the front, no team is listed twice and every free
// place is blank.
::testing::AssertionResult StoreIsWhole(const Memory& store) {
  std::set<int32_t> seen;
  bool free = false;
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    const TeamRecord* r = store.getTeam(0, t);
    const std::string school = FieldText(r->schoolName);
    if (school.empty()) {
      free = true;
      for (int32_t m = 0; m < kMaxAthletes; ++m)
        if (FieldLength(store.getAthlete(0, t, m)->name) != 0)
          return ::testing::AssertionFailure() << "athletes in free place " << t;
      continue;
    }
    if (free) return ::testing::AssertionFailure() << "gap before place " << t;
    const int32_t g = r->MNR;
    if (school != "S" + std::to_string(g) || !seen.insert(g).second)
      return ::testing::AssertionFailure() << "place " << t << ": " << school << " listed twice or renumbered";
    for (int32_t m = 0; m < kMaxAthletes; ++m) {
      const AthleteRecord* a = store.getAthlete(0, t, m);
      if (FieldText(a->name) != "A" + std::to_string(g) || a->teamNumber != g || a->athleteNumber != m + 1)
        return ::testing::AssertionFailure() << "place " << t << " member " << m << " of another save";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST_F(StoreJournalTest, KilledAtAnyMomentTheStoreIsWhole) {
  setFileSystem(nullptr);
  UseEvent({MakeClass("Kl", 2011, 7, 50, 50, 20)}, {{}});
  state_.memory.reset();
  std::mt19937 random(20111);
  const std::set<std::string> dataFiles = {"TEST.MDA", "TEST.SDA", "TEST.STF"};
  for (int round = 0; round < 200; ++round) {
    SCOPED_TRACE(round);
    const bool blankFiles = round % 4 == 3;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      // A slow disk: every step of a save takes a while, so that the kill
      // lands between any two of them.
      struct SlowDisk : FileSystem {
        bool write(std::FILE* f, int64_t pos, const void* d, size_t n) override {
          usleep(30);
          return FileSystem::write(f, pos, d, n);
        }
        bool flush(std::FILE* f, bool toDisk) override {
          usleep(30);
          return FileSystem::flush(f, toDisk);
        }
      } slow;
      setFileSystem(&slow);
      std::mt19937 r(static_cast<uint32_t>(getpid()));
      if (blankFiles) {
        const char go = 1;
        if (write(ready[1], &go, 1) != 1) _exit(1);
        for (;;) {
          for (const char* ext : {"SDA", "MDA", "STF"}) std::remove(DataFilePath(state_, ext).c_str());
          CreateBlankDataFiles(state_);
        }
      }
      Memory store(state_);
      const char go = 1;
      if (write(ready[1], &go, 1) != 1) _exit(1);
      for (int32_t g = 1000000 * round + 1;; ++g) {
        int32_t named = 0;
        while (named < kMaxTeams && FieldLength(store.getTeam(0, named)->schoolName)) ++named;
        if (named > 0 && r() % 3 == 0)
          store.removeTeam(0, static_cast<int32_t>(r() % named));
        else
          SaveGeneration(store, static_cast<int32_t>(r() % (named < kMaxTeams ? named + 1 : named)), g);
      }
    }
    // Killed at a random moment once the child is at work.
    char go = 0;
    ASSERT_EQ(read(ready[0], &go, 1), 1);
    close(ready[0]);
    close(ready[1]);
    usleep(random() % 3000);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    if (blankFiles) {
      // Each file is there whole, or not there; the next start writes the
      // missing ones and leaves no temporary file.
      for (const char* ext : {"SDA", "MDA", "STF"}) {
        const std::string p = DataFilePath(state_, ext);
        if (!fs::exists(p)) continue;
        const auto size = fs::file_size(p);
        EXPECT_TRUE(size == kSdaFileSize || size == kMdaFileSize || size == kStfFileSize) << ext;
      }
      ASSERT_EQ(CreateBlankDataFiles(state_), 1);
      EXPECT_EQ(Names(state_.settings.veranstDir), dataFiles);
      // The child's removals between its writes are no operation of the
      // store: the next rounds start from blank files.
      for (const char* ext : {"SDA", "MDA", "STF"}) fs::remove(DataFilePath(state_, ext));
      ASSERT_EQ(CreateBlankDataFiles(state_), 1);
      continue;
    }
    state_.memory = std::make_unique<Memory>(state_);
    ASSERT_TRUE(state_.memory->isReady());
    EXPECT_TRUE(StoreIsWhole(*state_.memory));
    state_.memory.reset();
    EXPECT_EQ(Names(state_.settings.veranstDir), dataFiles);
  }
}
#endif

#ifdef __linux__
// A real full disk and a folder that turned read-only (a small file system
// of its own, in a private mount namespace of a child process): saving a
// team fails, and memory and the data files stay as they were.
TEST_F(StoreJournalTest, AFullOrReadOnlyDiskKeepsTheOldData) {
  openFixtureStore();
  state_.memory.reset();
  const std::string folder = fs::path(DataFilePath(state_, "SDA")).parent_path().string();
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& e : fs::directory_iterator(folder)) files.emplace_back(e.path().string(), ReadBytes(e.path().string()));
  const std::set<std::string> namesBefore = Names(folder);

  enum Outcome { kOk = 0, kNotReady = 10, kSaved = 20, kMemoryChanged = 30, kDiskChanged = 40, kStrayFile = 50,
                 kNoNamespace = 77 };
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("kel", folder.c_str(), "tmpfs", 0, "size=1m") != 0)
      _exit(kNoNamespace);
    for (const auto& [path, bytes] : files) WriteBytes(path, bytes);
    const std::string filler = folder + "/filler";
    for (int phase = 0; phase < 2; ++phase) {
      state_.memory = std::make_unique<Memory>(state_);
      if (!state_.memory->isReady()) _exit(kNotReady + phase);
      if (phase == 0) {
        // Fill what is left of the disk.
        static const char block[4096] = {};
        std::FILE* f = std::fopen(filler.c_str(), "wb");
        while (f && std::fwrite(block, 1, sizeof block, f) == sizeof block) {
        }
        if (f) std::fclose(f);
      } else {
        std::remove(filler.c_str());
        // New files in the folder are refused from now on.
        if (mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
          _exit(kNoNamespace);
      }
      SetFieldText(state_.memory->getTeam(0, 1)->town, "Neustadt");
      SetFieldText(state_.memory->getAthlete(0, 1, 5)->name, "Neu");
      const std::vector<uint8_t> memoryBefore = ClassInMemory(*state_.memory), diskBefore = disk();
      if (state_.memory->saveTeam(0, 1) != 0) _exit(kSaved + phase);
      if (ClassInMemory(*state_.memory) != memoryBefore) _exit(kMemoryChanged + phase);
      state_.memory.reset();
      if (disk() != diskBefore) _exit(kDiskChanged + phase);
      std::set<std::string> names = Names(folder);
      names.erase("filler");
      if (names != namesBefore) _exit(kStrayFile + phase);
    }
    _exit(kOk);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  const int code = WEXITSTATUS(status);
  if (code == kNoNamespace) GTEST_SKIP() << "no private mount namespace here (needs root)";
  EXPECT_EQ(code, kOk) << "phase " << code % 10 << (code / 10 == 1   ? ": store not ready"
                                                     : code / 10 == 2 ? ": save reported success"
                                                     : code / 10 == 3 ? ": memory changed"
                                                     : code / 10 == 4 ? ": data files changed"
                                                                      : ": stray file left");
}
#endif

}  // namespace
}  // namespace kel::test
