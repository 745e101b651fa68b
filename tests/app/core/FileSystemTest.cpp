// Files written whole: a failure at any step keeps the old file, temporary
// files have names no other save uses, and those left by an interrupted run
// are removed when the folder is written next.
#include "app/core/FileSystem.h"
#include "tests/app/core/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace kel::test {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename().string());
  return out;
}

class FileSystemTest : public CoreTest {
protected:
  void TearDown() override {
    setFileSystem(nullptr);
    CoreTest::TearDown();
  }
};

TEST_F(FileSystemTest, AFailureAtAnyStepKeepsTheOldFile) {
  const std::string folder = dir_ / "ziel";
  fs::create_directory(folder);
  const std::string target = folder + kPathSep + "Meldung.VOV";
  const std::string old = "alt", fresh(10000, 'n');
  WriteBytes(target, Bytes(old));
  FailingFileSystem failing;
  setFileSystem(&failing);
  bool succeeded = false;
  for (int64_t at = 0; at < 20 && !succeeded; ++at) {
    SCOPED_TRACE(at);
    failing.failAt = at;
    failing.count = 0;
    succeeded = WriteWholeFile(target, fresh.data(), fresh.size());
    EXPECT_EQ(ReadBytes(target), Bytes(succeeded ? fresh : old));
    WriteBytes(target, Bytes(old));
  }
  EXPECT_TRUE(succeeded);
  // Whatever a failure left behind goes with the next save.
  failing.failAt = -1;
  ASSERT_TRUE(WriteWholeFile(target, fresh.data(), fresh.size()));
  EXPECT_EQ(Names(folder), std::set<std::string>{"Meldung.VOV"});
}

TEST_F(FileSystemTest, TemporaryFilesOfEarlierRunsGoAndOthersStay) {
  const std::string target = dir_ / "kelvora.ini";
  // Left by interrupted saves: more than any fixed set of names would hold.
  for (int i = 0; i < 30; ++i) WriteBytes(dir_ / ("kelvora.ini.~kel" + std::to_string(i) + ".tmp"), Bytes("x"));
  WriteBytes(dir_ / "Meldung.VOV.~kel0123456789abcdef.tmp", Bytes("x"));
  WriteBytes(dir_ / "kelvora.ini.~atmp", Bytes("fremd"));
  WriteBytes(dir_ / "notiz.tmp", Bytes("fremd"));
  ASSERT_TRUE(WriteWholeFile(target, "[Paths]\r\n", 9));
  EXPECT_EQ(Names(dir_.path()), (std::set<std::string>{"kelvora.ini", "kelvora.ini.~atmp", "notiz.tmp", "treiber"}));
  EXPECT_EQ(ReadBytes(target), Bytes("[Paths]\r\n"));
}

TEST_F(FileSystemTest, EachSaveTakesATemporaryNameOfItsOwn) {
  // A file system that records the names it is asked to create.
  struct Recording : FileSystem {
    std::vector<std::string> names;
    std::FILE* createNew(const std::string& p) override {
      names.push_back(p);
      return FileSystem::createNew(p);
    }
  } recording;
  setFileSystem(&recording);
  const std::string target = dir_ / "a.dat";
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(WriteWholeFile(target, "x", 1));
  std::set<std::string> unique(recording.names.begin(), recording.names.end());
  EXPECT_EQ(unique.size(), recording.names.size());
  for (const std::string& n : recording.names) EXPECT_EQ(n.rfind(target + ".~kel", 0), 0u) << n;
}

TEST_F(FileSystemTest, ANameTakenByAnotherFileIsNeverOverwritten) {
  // Every name the writer tries exists already: it gives up, it does not spin.
  struct Taken : FileSystem {
    int tries = 0;
    std::FILE* createNew(const std::string&) override {
      ++tries;
      return nullptr;
    }
  } taken;
  setFileSystem(&taken);
  EXPECT_FALSE(WriteWholeFile(dir_ / "a.dat", "x", 1));
  EXPECT_GT(taken.tries, 0);
  EXPECT_LE(taken.tries, 10);
  EXPECT_FALSE(fs::exists(dir_ / "a.dat"));
}

}  // namespace
}  // namespace kel::test
