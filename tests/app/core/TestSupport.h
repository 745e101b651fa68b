#pragma once
// Shared pieces of the entry-data tests: a platform double over the build's
// own platform, a temporary folder, fixture paths and a fixture that gives
// each test its own event state. The temporary folder and the
// file reader come from tests/support/TestFiles.h.
#include "app/core/EventDefinition.h"
#include "app/core/EventState.h"
#include "app/core/FileSystem.h"
#include "app/core/Platform.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kel::test {

// Forwards to the build's own platform, except for the date (settable) and
// the user-visible calls (recorded).
class TestPlatform : public Platform {
public:
  struct Box {
    std::string text, title;
    uint32_t flags;
  };
  CalendarDate date{2011, 6, 1};
  std::vector<Box> boxes;
  std::vector<std::string> titles;
  int beeps = 0;

  std::string moduleFileName() override { return base().moduleFileName(); }
  std::vector<std::string> findFiles(const std::string& p) override { return base().findFiles(p); }
  std::string getProfileString(const std::string& s, const std::string& k, const std::string& d,
                               const std::string& f) override {
    return base().getProfileString(s, k, d, f);
  }
  int32_t getProfileInt(const std::string& s, const std::string& k, int32_t d, const std::string& f) override {
    return base().getProfileInt(s, k, d, f);
  }
  bool writeProfileString(const std::string& s, const std::string& k, const std::string& v,
                          const std::string& f) override {
    return base().writeProfileString(s, k, v, f);
  }
  std::string createGuidString() override { return base().createGuidString(); }
  int32_t messageBox(const std::string& text, const std::string& title, uint32_t flags) override {
    boxes.push_back({text, title, flags});
    return 1;
  }
  void beep() override { ++beeps; }
  void setMainWindowTitle(const std::string& t) override { titles.push_back(t); }
  CalendarDate today() override { return date; }
  bool pathExists(const std::string& p) override { return base().pathExists(p); }
  bool createFolder(const std::string& p) override { return base().createFolder(p); }
  bool removeFile(const std::string& p) override { return base().removeFile(p); }
  bool replaceFile(const std::string& a, const std::string& b) override { return base().replaceFile(a, b); }

private:
  static Platform& base() { return defaultPlatform(); }
};

// The system's file system, with a count of the operations that change a
// file (create, write, flush, close, replace, remove); the operation of
// number `failAt` (from 0) fails, and with `failAfter` every later one too.
class FailingFileSystem : public FileSystem {
public:
  int64_t failAt = -1;
  bool failAfter = false;
  int64_t count = 0;

  std::FILE* createNew(const std::string& p) override { return fails() ? nullptr : FileSystem::createNew(p); }
  std::FILE* open(const std::string& p, const char* mode) override {
    // Opening for reading changes nothing.
    return mode[0] != 'r' && fails() ? nullptr : FileSystem::open(p, mode);
  }
  bool write(std::FILE* f, int64_t pos, const void* d, size_t n) override {
    return !fails() && FileSystem::write(f, pos, d, n);
  }
  bool flush(std::FILE* f, bool toDisk) override {
    if (fails()) {
      FileSystem::flush(f, false);  // what was handed over may or may not be on the disk
      return false;
    }
    return FileSystem::flush(f, toDisk);
  }
  bool replace(const std::string& a, const std::string& b) override { return !fails() && FileSystem::replace(a, b); }
  bool remove(const std::string& p) override { return !fails() && FileSystem::remove(p); }

private:
  bool fails() {
    const int64_t n = count++;
    return n == failAt || (failAfter && failAt >= 0 && n > failAt);
  }
};

// Path of a generated fixture ("A/treiber/KREIS2010.JTFO"), in the build's
// path form.
std::string FixturePath(const std::string& relative);

// A file's bytes as a byte vector (see FileBytes).
std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void CopyBytes(const std::string& from, const std::string& to);
int32_t ReadInt32(const std::vector<uint8_t>& bytes, size_t offset);

// Zeroed records with the fields the tests vary; a class fields 13 athletes
// per team.
ClassRecord MakeClass(const char* name, int16_t season, int16_t disciplines, int16_t oldest,
                      int16_t youngest, int16_t places);
DisciplineRecord MakeDiscipline(const char* name, const char* mask, int32_t type, int32_t most);

// Gives each test its own event state, installs the platform double and
// gives each test a temporary folder as program folder ("veranst", "treiber"
// inside it).
class CoreTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Copies a fixture event file into the test's event folder and loads it.
  bool LoadFixtureEvent(const std::string& relative);
  // Copies the three data files of a fixture set into the data folder.
  void CopyFixtureData(const std::string& folder, const std::string& base);
  // Sets an in-memory event with the given classes (bounds taken as in the
  // file), writes blank data files and opens the store.
  void UseEvent(const std::vector<ClassRecord>& classes,
                const std::vector<std::vector<DisciplineRecord>>& disciplines);

  TestPlatform platform_;
  TempDir dir_;
  // Last, so that the store closes its files before the folder goes.
  EventState state_;
};

}  // namespace kel::test
