#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Settings.h"
#include "tests/app/core/TestSupport.h"

#include <cstring>
#include <filesystem>
#include <map>

namespace kel::test {
namespace {

class EventTableTest : public CoreTest {
protected:
  std::string treiber(const std::string& name) const { return state_.settings.treiberDir + kPathSep + name; }
  std::vector<uint8_t> profileA() const { return ReadBytes(FixturePath("A/treiber/KREIS2010.JTFO")); }
  const EventListEntry* find(const std::string& name) const {
    for (const EventListEntry& e : state_.eventList)
      if (e.fileName == name) return &e;
    return nullptr;
  }
};

TEST_F(EventTableTest, ListsFixedNamesWithoutOpeningThemAndOtherFilesFromTheirHeader) {
  // The fixed-name files hold garbage: they are listed without being read.
  const std::vector<uint8_t> garbage(1000, 0xEE);
  WriteBytes(treiber("jtfo_bsc.jtfo"), garbage);
  WriteBytes(treiber("BSC.JTFO"), garbage);
  WriteBytes(treiber("Jtfo.Jtfo"), garbage);
  WriteBytes(treiber("WK5BW.JTFO"), garbage);
  WriteBytes(treiber(".versteckt.JTFO"), profileA());
  WriteBytes(treiber("KREIS2010.JTFO"), profileA());
  WriteBytes(treiber("anders.txt"), profileA());
  std::filesystem::create_directory(treiber("ORDNER.JTFO"));

  ASSERT_EQ(ListEventFiles(state_), 5);
  struct Row { const char* name; int16_t kind, fromHeader; const char* title; const char* level; };
  const Row rows[] = {
      {"jtfo_bsc.jtfo", 96, 0, "", ""},
      {"BSC.JTFO", 99, 0, "", ""},
      {"Jtfo.Jtfo", 97, 0, "beliebige Veranstaltung", ""},
      {"WK5BW.JTFO", 98, 0, "beliebige Veranstaltung", ""},
      {"KREIS2010.JTFO", 1, 1, "Kreisentscheid Musterstadt 2010", "Kreisentscheid"},
  };
  for (const Row& r : rows) {
    const EventListEntry* e = find(r.name);
    ASSERT_NE(e, nullptr) << r.name;
    EXPECT_EQ(e->valid, 1) << r.name;
    EXPECT_EQ(e->kind, r.kind) << r.name;
    EXPECT_EQ(e->fromHeader, r.fromHeader) << r.name;
    EXPECT_EQ(e->title, r.title) << r.name;
    EXPECT_EQ(e->levelName, r.level) << r.name;
  }
  EXPECT_STREQ(ProgrammeText(96), "A-Programm JTFO, Bodenseecup");
  EXPECT_STREQ(ProgrammeText(97), "A-Programm (WKI,II,III,IV)");
  EXPECT_STREQ(ProgrammeText(98), "Grundschulwettbewerb BW (WK5)");
  EXPECT_STREQ(ProgrammeText(99), "Bodenseecup BW mit WK II/2");
  EXPECT_STREQ(ProgrammeText(1), "B-Programm");
}

TEST_F(EventTableTest, ListsAtMostFiftyFiles) {
  const std::vector<uint8_t> a = profileA();
  for (int i = 0; i < 60; ++i) WriteBytes(treiber("E" + std::to_string(i) + ".JTFO"), a);
  EXPECT_EQ(ListEventFiles(state_), 50);
}

TEST_F(EventTableTest, EmptyOrMissingFolderListsNothing) {
  EXPECT_EQ(ListEventFiles(state_), 0);
  state_.settings.treiberDir = dir_ / "gibtsnicht";
  EXPECT_EQ(ListEventFiles(state_), 0);
}

TEST_F(EventTableTest, LoadingFillsTheEventValues) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  EXPECT_EQ(state_.eventLoaded, 1);
  EXPECT_EQ(state_.eventKind, 1);
  EXPECT_STREQ(state_.eventTitle, "Kreisentscheid Musterstadt 2010");
  EXPECT_EQ(state_.eventName, std::string(1, kPathSep) + "KREIS2010.");
  ASSERT_NE(state_.eventDef, nullptr);
  EXPECT_EQ(state_.eventDef->classCount, 12);
  EXPECT_STREQ(state_.classNames[0], "");
  EXPECT_STREQ(state_.classNames[1], "I Jungen");
  EXPECT_STREQ(state_.classNames[12], "HS 5/6 Mädchen");
  EXPECT_STREQ(state_.classDisplayNames[0], "I Jungen");
  EXPECT_STREQ(state_.classDisplayNames[11], "HS 5/6 Mädchen");
  EXPECT_EQ(state_.classSizes[0][0], 13);
  EXPECT_EQ(state_.classSizes[5][1], 6);
  EXPECT_EQ(state_.classBounds[0][0], 95);
  EXPECT_EQ(state_.classBounds[0][1], 98);
  EXPECT_EQ(state_.classBounds[1][0], 50);
  const DisciplineRecord& d = state_.eventDef->disciplines[0][1];
  EXPECT_EQ(FieldText(d.name), "1000m");
  EXPECT_EQ(FieldText(d.mask), "9':'99','99");
  EXPECT_EQ(FieldText(d.shortName), " 1000m");
  EXPECT_EQ(d.type, 2);
  ASSERT_EQ(platform_.titles.size(), 1u);
  EXPECT_EQ(platform_.titles[0], "Zavrolin Leichtathletik 2011.2");
  EXPECT_TRUE(platform_.boxes.empty());
}

TEST_F(EventTableTest, FixedKindTakesNoKindOrTitleFromTheHeader) {
  WriteBytes(treiber("JTFO.JTFO"), profileA());
  ASSERT_EQ(ListEventFiles(state_), 1);
  ASSERT_EQ(LoadEventFile(state_, state_.eventList[0], 0), 1);
  EXPECT_EQ(state_.eventKind, 0);
  EXPECT_STREQ(state_.eventTitle, "");
  EXPECT_EQ(state_.eventName, std::string(1, kPathSep) + "JTFO.");
}

TEST_F(EventTableTest, ClassCountZeroKeepsTheClassNames) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  std::vector<uint8_t> a = profileA();
  a[310 + 84] = 0;
  a[310 + 85] = 0;
  std::memcpy(&a[310 + 406], "Andere\0", 7);  // class 0's name, not copied
  WriteBytes(treiber("NULL.JTFO"), a);
  EventListEntry e;
  e.fileName = "NULL.JTFO";
  ASSERT_EQ(LoadEventFile(state_, e, 0), 1);
  EXPECT_EQ(state_.eventDef->classCount, 0);
  EXPECT_STREQ(state_.classNames[1], "I Jungen");
}

TEST_F(EventTableTest, HostileFilesTakeTheFailurePath) {
  state_.settings.treiberDir = FixturePath("hostile");
  // Listing: fixed names are listed unread; broken files of the second kind are left out.
  ASSERT_EQ(ListEventFiles(state_), 2);
  ASSERT_NE(find("jtfo.jtfo"), nullptr);
  EXPECT_EQ(find("jtfo.jtfo")->kind, 97);
  ASSERT_NE(find("NOTERM.JTFO"), nullptr);

  for (const char* name : {"TRUNC0.JTFO", "TRUNC310.JTFO", "TRUNC1000.JTFO", "COUNT13.JTFO", "COUNTNEG.JTFO",
                           "KIND12.JTFO", "ATHL14.JTFO", "DISC8.JTFO", "PLACES21.JTFO", "ATHLNEG.JTFO",
                           "jtfo.jtfo", "FEHLT.JTFO"}) {
    SCOPED_TRACE(name);
    platform_.boxes.clear();
    platform_.beeps = 0;
    EventListEntry e;
    e.fileName = name;
    e.kind = 1;
    EXPECT_EQ(LoadEventFile(state_, e, 0), 0);
    EXPECT_EQ(state_.eventLoaded, 0);
    EXPECT_EQ(state_.eventDef, nullptr);
    EXPECT_EQ(platform_.beeps, 1);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_EQ(platform_.boxes[0].text, "Fataler Fehler!");
  }
}

TEST_F(EventTableTest, UnterminatedClassNamesAreCutAtTheirField) {
  state_.settings.treiberDir = FixturePath("hostile");
  EventListEntry e;
  e.fileName = "NOTERM.JTFO";
  ASSERT_EQ(LoadEventFile(state_, e, 0), 1);
  EXPECT_STREQ(state_.classNames[1], "ABCDEFGHIJKLMNOPQRST");
  EXPECT_STREQ(state_.classNames[12], "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(EventTableTest, LoadingASecondEventReplacesTheFirst) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  ASSERT_TRUE(LoadFixtureEvent("C/treiber/PENDEL.JTFO"));
  EXPECT_EQ(state_.eventDef->classCount, 1);
  EXPECT_EQ(state_.eventDef->classes[0].Modus, 4);
  EXPECT_STREQ(state_.classNames[1], "WK V gemischt");
  EXPECT_STREQ(state_.classNames[2], "II Jungen");  // kept from before
  EXPECT_EQ(state_.eventName, std::string(1, kPathSep) + "PENDEL.");
}

}  // namespace
}  // namespace kel::test
