#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "tests/app/core/TestSupport.h"

#include <filesystem>
#include <fstream>
#include <regex>

namespace kel::test {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public CoreTest {
protected:
  void writeIni(const std::string& text) {
    std::ofstream(state_.settings.iniFile, std::ios::binary) << text;
  }
};

TEST_F(SettingsTest, ProgramPathsHangOffTheProgramFolder) {
  const std::string p = dir_.path() + kPathSep;
  EXPECT_EQ(state_.settings.helpFile, p + "kelvora.chm");
  EXPECT_EQ(state_.settings.iniFile, p + "kelvora.ini");
  EXPECT_EQ(state_.settings.veranstDir, p + "veranst");
  EXPECT_EQ(state_.settings.transferDir, p + "transfer");
  EXPECT_EQ(state_.settings.treiberDir, p + "treiber");
  std::string folder = FindProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), kPathSep);
}

TEST_F(SettingsTest, MissingFileGivesEveryDefault) {
  ASSERT_EQ(ReadPathSettings(state_.settings), 1);
  ASSERT_EQ(LoadListSettings(state_), 1);
  const Settings& s = state_.settings;
  EXPECT_EQ(s.veranstDir, dir_ / "veranst");
  EXPECT_EQ(s.treiberDir, dir_ / "treiber");
  struct { const char* key; int32_t value, expected; } ints[] = {
      {"LeftMargin", s.leftMargin, 0}, {"Copyright", s.copyright, 3}, {"X1", s.x1, 60},
      {"Y1", s.y1, 120}, {"X2", s.x2, 120}, {"Y1 again", s.y2, 120},
      {"TestStaffel", s.testStaffel, 1}, {"MaxStarter", s.maxStarter, 1}, {"MaxDis", s.maxDis, 1},
      {"TestJG", s.testJG, 1}, {"Protokoll", s.protokoll, 1}, {"CheckLauf", s.checkLauf, 0},
      {"Needed", s.needed, 0}, {"Bewegung", s.bewegung, 1},
      {"Dreikampfergebnisse", s.dreikampfergebnisse, 8}, {"Mittelstrecke", s.mittelstrecke, 4}};
  for (const auto& i : ints) EXPECT_EQ(i.value, i.expected) << i.key;
  EXPECT_EQ(s.font, "Courier New Standard");
}

TEST_F(SettingsTest, ValuesAreReadFromTheirSections) {
  const std::string veranst = dir_ / "daten";
  writeIni("[Paths]\r\nVeranstDir=" + veranst + "\r\n"
           "[Veranstaltung]\r\nVID={11111111-2222-3333-4444-555555555555}\r\n"
           "[Listen]\r\nLeftMargin=7\r\nFont=Arial\r\nX1=61\r\nY1=200\r\nX2=121\r\n"
           "[meldefehler]\r\ntestjg=0\r\nMaxDis=0\r\n"
           "[Jahrgaenge]\r\nCheckLauf=2\r\nNeeded=1\r\n"
           "[Bodenseecup]\r\nDreikampfergebnisse=6\r\nMittelstrecke=5\r\n");
  ASSERT_EQ(ReadPathSettings(state_.settings), 1);
  LoadListSettings(state_);
  EXPECT_EQ(state_.settings.veranstDir, veranst);
  EXPECT_EQ(state_.settings.treiberDir, dir_ / "treiber");
  EXPECT_EQ(state_.settings.VID, "{11111111-2222-3333-4444-555555555555}");
  EXPECT_EQ(state_.settings.leftMargin, 7);
  EXPECT_EQ(state_.settings.font, "Arial");
  EXPECT_EQ(state_.settings.x1, 61);
  EXPECT_EQ(state_.settings.x2, 121);
  // Y1 is read for both the second and the fourth layout value.
  EXPECT_EQ(state_.settings.y1, 200);
  EXPECT_EQ(state_.settings.y2, 200);
  EXPECT_EQ(state_.settings.testJG, 0);
  EXPECT_EQ(state_.settings.maxDis, 0);
  EXPECT_EQ(state_.settings.testStaffel, 1);
  EXPECT_EQ(state_.settings.checkLauf, 2);
  EXPECT_EQ(state_.settings.needed, 1);
  EXPECT_EQ(state_.settings.dreikampfergebnisse, 6);
  EXPECT_EQ(state_.settings.mittelstrecke, 5);
}

TEST_F(SettingsTest, ValuesOutsideTheirRangeTakeTheirDefault) {
  struct Case {
    const char* section;
    const char* key;
    const char* text;
    const int32_t Settings::*field;
    int32_t expected;
  } cases[] = {
      {"Bodenseecup", "Mittelstrecke", "-2147483648", &Settings::mittelstrecke, 4},
      {"Bodenseecup", "Mittelstrecke", "14", &Settings::mittelstrecke, 4},
      {"Bodenseecup", "Mittelstrecke", "0", &Settings::mittelstrecke, 0},
      {"Bodenseecup", "Mittelstrecke", "13", &Settings::mittelstrecke, 13},
      {"Bodenseecup", "Dreikampfergebnisse", "-1", &Settings::dreikampfergebnisse, 8},
      {"Bodenseecup", "Dreikampfergebnisse", "2147483647", &Settings::dreikampfergebnisse, 8},
      {"Listen", "LeftMargin", "-5", &Settings::leftMargin, 0},
      {"Listen", "LeftMargin", "61", &Settings::leftMargin, 0},
      {"Listen", "Copyright", "100000", &Settings::copyright, 3},
      {"Listen", "X1", "721", &Settings::x1, 60},
      {"Listen", "X2", "-1", &Settings::x2, 120},
      {"Listen", "Y1", "0", &Settings::y1, 120},
      {"Listen", "Y1", "720", &Settings::y2, 720},
      {"Tabelle", "Bewegung", "3", &Settings::bewegung, 1},
      {"Tabelle", "Bewegung", "2", &Settings::bewegung, 2},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.key) + "=" + k.text);
    writeIni(std::string("[") + k.section + "]\r\n" + k.key + "=" + k.text + "\r\n");
    LoadListSettings(state_);
    EXPECT_EQ(state_.settings.*k.field, k.expected);
  }
}

TEST_F(SettingsTest, EmptyIdentityGetsAGuidWrittenOnce) {
  writeIni("[Veranstaltung]\r\nVID=\r\n[Listen]\r\nX1=5\r\n");
  ASSERT_EQ(ReadPathSettings(state_.settings), 1);
  const std::string vid = state_.settings.VID;
  EXPECT_TRUE(std::regex_match(vid, std::regex(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})")))
      << vid;
  EXPECT_EQ(platform().getProfileString("Veranstaltung", "VID", "", state_.settings.iniFile), vid);
  EXPECT_EQ(platform().getProfileInt("Listen", "X1", 0, state_.settings.iniFile), 5);  // rest kept

  // A later start reads the stored identity and writes nothing.
  auto before = fs::last_write_time(state_.settings.iniFile);
  state_.settings.VID.clear();
  ASSERT_EQ(ReadPathSettings(state_.settings), 1);
  EXPECT_EQ(state_.settings.VID, vid);
  EXPECT_EQ(fs::last_write_time(state_.settings.iniFile), before);
}

TEST_F(SettingsTest, MissingIdentityInMissingFileIsCreated) {
  ASSERT_EQ(ReadPathSettings(state_.settings), 1);
  EXPECT_EQ(state_.settings.VID.size(), 38u);
  EXPECT_EQ(platform().getProfileString("Veranstaltung", "VID", "", state_.settings.iniFile), state_.settings.VID);
}

TEST_F(SettingsTest, ForceFolderCreatesEveryMissingParent) {
  const std::string deep = dir_ / ("a" + std::string(1, kPathSep) + "b" + std::string(1, kPathSep) + "c");
  EXPECT_FALSE(PathExists(deep));
  EXPECT_TRUE(ForceFolder(deep));
  EXPECT_TRUE(PathExists(deep));
  EXPECT_TRUE(ForceFolder(deep));  // existing is fine
  EXPECT_FALSE(ForceFolder(""));
  // A file in the way cannot become a folder.
  WriteBytes(dir_ / "file", {1});
  EXPECT_FALSE(ForceFolder((dir_ / "file") + kPathSep + "sub"));
}

TEST_F(SettingsTest, ListSettingsWriteMissingDataFilesAndKeepExistingOnes) {
  state_.eventName = std::string(1, kPathSep) + "EVT.";
  fs::create_directories(state_.settings.veranstDir);
  const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
  WriteBytes(DataFilePath(state_, "MDA"), mine);
  ASSERT_EQ(LoadListSettings(state_), 1);
  EXPECT_EQ(fs::file_size(DataFilePath(state_, "SDA")), 216108u);
  EXPECT_EQ(fs::file_size(DataFilePath(state_, "STF")), 7788u);
  EXPECT_EQ(ReadBytes(DataFilePath(state_, "MDA")), mine);
  // No temporary files are left behind.
  int files = 0;
  for (auto& e : fs::directory_iterator(state_.settings.veranstDir)) files += e.is_regular_file();
  EXPECT_EQ(files, 3);
}

TEST_F(SettingsTest, ReloadFailsWhenTheDataFolderCannotBeMade) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  WriteBytes(dir_ / "blocker", {1});
  state_.settings.veranstDir = (dir_ / "blocker") + kPathSep + "veranst";
  EXPECT_EQ(ReloadSettings(state_), 0);
  ASSERT_NE(state_.memory, nullptr);
  EXPECT_FALSE(state_.memory->isReady());
  EXPECT_EQ(state_.memory->getTeam(0, 0), nullptr);

  state_.settings.veranstDir = dir_ / "veranst";
  EXPECT_EQ(ReloadSettings(state_), 1);
  ASSERT_NE(state_.memory->getTeam(11, 19), nullptr);
}

}  // namespace
}  // namespace kel::test
