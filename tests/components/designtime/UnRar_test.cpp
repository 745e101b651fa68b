// Archive extraction through the outside library, here a stand-in built
// with the tests that serves a fixed list of entries.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "classlib/Exception.h"
#include "classlib/StringList.h"
#include "components/designtime/SystemFolders.h"
#include "components/designtime/UnRar.h"
#include "tests/support/TestFiles.h"

namespace {

// The stand-in's path as Wine sees the build tree (drive Z:).
std::string FakeLibrary() {
  std::string path = std::string("Z:") + KEL_FAKE_UNRAR;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class UnRar : public ::testing::Test {
protected:
  void SetUp() override {
    LoadUnRARFromFile(FakeLibrary());
    HMODULE fake = GetModuleHandleA(FakeLibrary().c_str());
    ASSERT_NE(fake, nullptr);
    log = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(GetProcAddress(fake, "FakeUnRarLog")));
    closes = reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(fake, "FakeUnRarCloses")));
    log();
  }
  void TearDown() override { UnloadUnRAR(); }

  const char* (*log)() = nullptr;
  int (*closes)() = nullptr;
  kel::test::TempDir dir;
};

TEST_F(UnRar, EntriesLandBelowTheDestinationAndClimbingOnesAreRefused) {
  TStringList system, created, extracted, failed;
  system.Add("KELSYS.DLL");
  const int closesBefore = closes();
  const std::string dest = dir / "ziel";
  ASSERT_TRUE(ExtractRARFile(dir / "good.rar", dest,
                             [](const AnsiString& name, int& operation, AnsiString&) {
                               if (name == "docs\\skip.txt") operation = RAR_SKIP;
                             },
                             &system, &created, &extracted, &failed));
  EXPECT_EQ(closes(), closesBefore + 1);
  EXPECT_EQ(kel::test::FileBytes(dest + "\\readme.txt"), "readme.txt");
  EXPECT_EQ(kel::test::FileBytes(dest + "\\docs\\guide.txt"), "docs/guide.txt");
  const std::string sys = SystemDirectory() + "\\kelsys.dll";
  EXPECT_EQ(kel::test::FileBytes(sys), "kelsys.dll");
  DeleteFileA(sys.c_str());
  EXPECT_EQ(extracted.Text(), dest + "\\readme.txt\r\n" + dest + "\\docs\\guide.txt\r\n" + sys + "\r\n");
  EXPECT_EQ(created.Text(), dest + "\r\n" + dest + "\\docs\r\n");
  EXPECT_EQ(failed.Text(), "..\\evil.txt\r\nC:evil2.txt\r\n\\abs.txt\r\n");
  EXPECT_EQ(GetFileAttributesA((dir / "evil.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA("C:\\abs.txt"), INVALID_FILE_ATTRIBUTES);

  // Opened in mode 1; the operation reaches the library as an int: 2 to
  // extract, 0 for what is refused or skipped, with the full target name.
  const std::string calls = log();
  EXPECT_EQ(calls.find("open 1 "), 0u) << calls;
  EXPECT_NE(calls.find("process 2 readme.txt -> |" + dest + "\\readme.txt\n"), std::string::npos) << calls;
  EXPECT_NE(calls.find("process 0 ../evil.txt -> |\n"), std::string::npos) << calls;
  EXPECT_NE(calls.find("process 0 docs/skip.txt -> |\n"), std::string::npos) << calls;
}

TEST_F(UnRar, AnArchiveThatDoesNotOpenExtractsNothing) {
  TStringList extracted;
  const int closesBefore = closes();
  EXPECT_FALSE(ExtractRARFile(dir / "bad.rar", dir / "ziel", nullptr, nullptr, nullptr, &extracted, nullptr));
  EXPECT_EQ(extracted.Count(), 0);
  EXPECT_EQ(closes(), closesBefore);
  EXPECT_EQ(GetFileAttributesA((dir / "ziel").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(UnRar, EntryPointsPassTheirArguments) {
  HANDLE archive = OpenRARFile(dir / "good.rar");
  ASSERT_NE(archive, nullptr);
  RARSetPassword(archive, "geheim");
  RARSetProcessDataProc(archive, nullptr);
  RARSetChangeVolProc(archive, nullptr);
  EXPECT_EQ(RARCloseArchive(archive), 0);
  const std::string calls = log();
  EXPECT_NE(calls.find("password geheim\nprocessdata\nchangevol\n"), std::string::npos) << calls;
}

TEST(UnRarLibrary, AMissingLibraryRaisesAtTheFirstCall) {
  UnloadUnRAR();
  // The test program's own folder has no library; nor has a missing path.
  try {
    OpenRARFile("x.rar");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Can't load UNRAR.DLL");
  }
  EXPECT_THROW(LoadUnRARFromFile("C:\\gibt\\es\\nicht\\unrar.dll"), Exception);
  // A library without the entry points is refused as well.
  EXPECT_THROW(LoadUnRARFromFile("kernel32.dll"), Exception);
}

}  // namespace
