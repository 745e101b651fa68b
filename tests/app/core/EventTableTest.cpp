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
  std::string treiber(const std::string& name) const { return gSettings.treiberDir + kPathSep + name; }
  std::vector<uint8_t> profileA() const { return ReadBytes(FixturePath("A/treiber/KREIS2010.JTFO")); }
  const EventListEntry* find(const std::string& name) const {
    for (const EventListEntry& e : gEventList)
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

  ASSERT_EQ(ListEventFiles(), 5);
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
  EXPECT_EQ(ListEventFiles(), 50);
}

TEST_F(EventTableTest, EmptyOrMissingFolderListsNothing) {
  EXPECT_EQ(ListEventFiles(), 0);
  gSettings.treiberDir = dir_ / "gibtsnicht";
  EXPECT_EQ(ListEventFiles(), 0);
}

TEST_F(EventTableTest, LoadingFillsTheEventValues) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  EXPECT_EQ(gEventLoaded, 1);
  EXPECT_EQ(gEventKind, 1);
  EXPECT_STREQ(gEventTitle, "Kreisentscheid Musterstadt 2010");
  EXPECT_EQ(gEventName, std::string(1, kPathSep) + "KREIS2010.");
  ASSERT_NE(gEventDef, nullptr);
  EXPECT_EQ(gEventDef->classCount, 12);
  EXPECT_STREQ(gClassNames[0], "");
  EXPECT_STREQ(gClassNames[1], "I Jungen");
  EXPECT_STREQ(gClassNames[12], "HS 5/6 Mädchen");
  EXPECT_STREQ(gClassDisplayNames[0], "I Jungen");
  EXPECT_STREQ(gClassDisplayNames[11], "HS 5/6 Mädchen");
  EXPECT_EQ(gClassSizes[0][0], 13);
  EXPECT_EQ(gClassSizes[5][1], 6);
  EXPECT_EQ(gClassBounds[0][0], 95);
  EXPECT_EQ(gClassBounds[0][1], 98);
  EXPECT_EQ(gClassBounds[1][0], 50);
  const DisciplineRecord& d = gEventDef->disciplines[0][1];
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
  ASSERT_EQ(ListEventFiles(), 1);
  ASSERT_EQ(LoadEventFile(gEventList[0], 0), 1);
  EXPECT_EQ(gEventKind, 0);
  EXPECT_STREQ(gEventTitle, "");
  EXPECT_EQ(gEventName, std::string(1, kPathSep) + "JTFO.");
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
  ASSERT_EQ(LoadEventFile(e, 0), 1);
  EXPECT_EQ(gEventDef->classCount, 0);
  EXPECT_STREQ(gClassNames[1], "I Jungen");
}

TEST_F(EventTableTest, HostileFilesTakeTheFailurePath) {
  gSettings.treiberDir = FixturePath("hostile");
  // Listing: fixed names are listed unread; broken files of the second kind are left out.
  ASSERT_EQ(ListEventFiles(), 2);
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
    EXPECT_EQ(LoadEventFile(e, 0), 0);
    EXPECT_EQ(gEventLoaded, 0);
    EXPECT_EQ(gEventDef, nullptr);
    EXPECT_EQ(platform_.beeps, 1);
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_EQ(platform_.boxes[0].text, "Fataler Fehler!");
  }
}

TEST_F(EventTableTest, UnterminatedClassNamesAreCutAtTheirField) {
  gSettings.treiberDir = FixturePath("hostile");
  EventListEntry e;
  e.fileName = "NOTERM.JTFO";
  ASSERT_EQ(LoadEventFile(e, 0), 1);
  EXPECT_STREQ(gClassNames[1], "ABCDEFGHIJKLMNOPQRST");
  EXPECT_STREQ(gClassNames[12], "ABCDEFGHIJKLMNOPQRST");
}

TEST_F(EventTableTest, LoadingASecondEventReplacesTheFirst) {
  ASSERT_TRUE(LoadFixtureEvent("A/treiber/KREIS2010.JTFO"));
  ASSERT_TRUE(LoadFixtureEvent("C/treiber/PENDEL.JTFO"));
  EXPECT_EQ(gEventDef->classCount, 1);
  EXPECT_EQ(gEventDef->classes[0].Modus, 4);
  EXPECT_STREQ(gClassNames[1], "WK V gemischt");
  EXPECT_STREQ(gClassNames[2], "II Jungen");  // kept from before
  EXPECT_EQ(gEventName, std::string(1, kPathSep) + "PENDEL.");
}

}  // namespace
}  // namespace kel::test
