// The entry file: its exact bytes for a small store, the teams and classes
// left out, texts that fill their fields, control characters, a full event
// and a target that cannot be written.
#include "app/core/EntryFileWriter.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "tests/app/core/EntryFileSample.h"
#include "tests/app/core/TestSupport.h"
#include "xml/dom/XpObjModel.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#ifdef KEL_LIBXML2
#include <libxml/parser.h>
#include <libxml/tree.h>
#endif

namespace kel::test {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
  std::vector<uint8_t> b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// Start tags of an element, with or without attributes.
size_t StartTags(const std::string& text, const std::string& element) {
  return Occurrences(text, "<" + element + " ") + Occurrences(text, "<" + element + ">");
}

#ifdef KEL_LIBXML2
// The file as an independent parser reads it: null when it is not
// well-formed. Counts elements by name and keeps the attributes of the first
// element of each name.
struct ParsedFile {
  std::map<std::string, size_t> counts;
  std::map<std::string, std::map<std::string, std::string>> first;
};

void Walk(xmlNode* n, ParsedFile& out) {
  for (; n; n = n->next) {
    if (n->type != XML_ELEMENT_NODE) continue;
    std::string name = reinterpret_cast<const char*>(n->name);
    if (out.counts[name]++ == 0)
      for (xmlAttr* a = n->properties; a; a = a->next) {
        xmlChar* v = xmlNodeListGetString(n->doc, a->children, 1);
        out.first[name][reinterpret_cast<const char*>(a->name)] = v ? reinterpret_cast<const char*>(v) : "";
        xmlFree(v);
      }
    Walk(n->children, out);
  }
}

std::unique_ptr<ParsedFile> Parse(const std::string& path) {
  xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (!doc) return nullptr;
  auto out = std::make_unique<ParsedFile>();
  Walk(xmlDocGetRootElement(doc), *out);
  xmlFreeDoc(doc);
  return out;
}
#endif

class EntryFileWriterTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    target_ = dir_ / "Meldung.VOV";
    std::memset(selection_, 0, sizeof selection_);
    // The object model as the wait form sets it up.
    xml_.SetBufferSize(8192);
    xml_.SetIdAttribute(u"id");
    xml_.SetLineBreakCharReplace(false);
    xml_.SetLineBreakMode(lbmDefault);
    xml_.SetOutCharSet(ceUnknown);
    xml_.SetWriteUTF8Signature(true);
    xml_.SetRaiseErrors(false);
  }

  bool write(const std::string& path) {
    EntryFileWriter writer(*state_.eventDef, *state_.memory, selection_, vid_, "");
    return writer.WriteEntryFile(xml_, path);
  }

  // The sample event with its data files and store.
  void useSample() {
    EventDefinition def;
    MakeSampleEvent(def);
    std::vector<ClassRecord> classes(def.classes, def.classes + 2);
    UseEvent(classes, {{def.disciplines[0][0], def.disciplines[0][1]}, {def.disciplines[1][0]}});
  }
  TeamRecord* team(int c, int t, const char* school) {
    TeamRecord* r = state_.memory->getTeam(c, t);
    SetFieldText(r->schoolName, school);
    return r;
  }
  AthleteRecord* athlete(int c, int t, int m, const char* name, uint8_t mask = 0) {
    AthleteRecord* a = state_.memory->getAthlete(c, t, m);
    SetFieldText(a->name, name);
    a->mask = mask;
    return a;
  }

  std::string target_;
  std::string vid_ = "{6F2A-11}";
  EntrySelectionTable selection_;
  TXpObjModel xml_{nullptr};
};

TEST_F(EntryFileWriterTest, HoldsTheTickedTeamsInTheirOrder) {
  useSample();
  FillSampleStore(*state_.memory, selection_);
  EXPECT_TRUE(write(target_));
  EXPECT_EQ(ReadText(target_), kSampleEntryFile);
  // The model is left empty, and the same writer writes the same file again.
  EXPECT_EQ(xml_.Document()->ChildNodes()->nlGetLength(), 0);
  EXPECT_TRUE(write(target_));
  EXPECT_EQ(ReadText(target_), kSampleEntryFile);
}

TEST_F(EntryFileWriterTest, ListsAthletesOnlyWithinTheClassSize) {
  useSample();
  // Only member 3 is named, beyond the class's three athletes: the team is
  // not written; the class still stands under the definitions.
  team(0, 4, "Schule");
  athlete(0, 4, 3, "Zu viel", 1);
  selection_[0][4] = 1;
  EXPECT_TRUE(write(target_));
  std::string text = ReadText(target_);
  EXPECT_EQ(text.find("Mannschaft"), std::string::npos);
  EXPECT_NE(text.find("<Wettkampfklasse Name=\"III M&#228;dchen\""), std::string::npos);
  EXPECT_NE(text.find("  <Meldungen/>"), std::string::npos);

  // In a class of 13 athletes per team, member 12 alone carries the team.
  team(1, 7, "Schule");
  athlete(1, 7, 12, "Letzte", 1);
  selection_[1][7] = 1;
  EXPECT_TRUE(write(target_));
  text = ReadText(target_);
  EXPECT_NE(text.find("<Mannschaft Klasse=\"IV Jungen\" Index=\"0\">"), std::string::npos);
  EXPECT_NE(text.find("<Teilnehmer Name=\"Letzte\" JG=\"\" Klasse=\"\">"), std::string::npos);
}

TEST_F(EntryFileWriterTest, TextsThatFillTheirFieldsAreReadToTheFieldEnd) {
  UseEvent({MakeClass("", 2011, 1, 50, 50, 20)}, {{MakeDiscipline("", "", 1, 4)}});
  // Every text without its terminator, each field in a letter of its own,
  // followed by the next field or by numbers that must not show.
  std::memset(state_.eventDef->classes[0].name, 'K', sizeof state_.eventDef->classes[0].name);
  std::memset(state_.eventDef->disciplines[0][0].name, 'D', sizeof state_.eventDef->disciplines[0][0].name);
  TeamRecord* r = state_.memory->getTeam(0, 0);
  char letter = 'a';
  auto fill = [&letter](auto&... fields) { (std::memset(fields, letter++, sizeof fields), ...); };
  fill(r->schoolName, r->listName, r->tabName, r->street, r->town, r->Bez, r->Kre, r->Bla, r->mail,
       r->supervisor, r->tel1, r->tel2);
  AthleteRecord* a = state_.memory->getAthlete(0, 0, 12);
  fill(a->name, a->JG, a->schoolClass);
  selection_[0][0] = 1;
  ASSERT_TRUE(write(target_));

  auto s = [](size_t n, char c) { return std::string(n, c); };
  const std::string expected =
      "    <Wettkampfklasse Name=\"" + s(20, 'K') + "\" Index=\"0\" Modus=\"0\">\r\n"
      "      <Disziplin Name=\"" + s(24, 'D') + "\"/>\r\n"
      "    </Wettkampfklasse>\r\n"
      "  </Definitionen>\r\n"
      "  <Meldungen>\r\n"
      "    <Mannschaft Klasse=\"" + s(20, 'K') + "\" Index=\"0\">\r\n"
      "      <Schuldaten>\r\n"
      "        <Schule Name=\"" + s(42, 'a') + "\" Liste=\"" + s(32, 'b') + "\" Reiter=\"" + s(16, 'c') + "\"/>\r\n"
      "        <Strasse Name=\"" + s(36, 'd') + "\"/>\r\n"
      "        <Ort Name=\"" + s(34, 'e') + "\" Bez=\"ffff\" Kre=\"gggg\" Bla=\"hhhh\"/>\r\n"
      "        <EMail Mail=\"" + s(60, 'i') + "\"/>\r\n"
      "        <Betreuer Name=\"" + s(60, 'j') + "\" Tel1=\"" + s(30, 'k') + "\" Tel2=\"" + s(30, 'l') + "\"/>\r\n"
      "        <Staffelzeiten Staffel1=\"0\" Staffel2=\"0\"/>\r\n"
      "      </Schuldaten>\r\n"
      "      <Teilnehmer Name=\"" + s(26, 'm') + "\" JG=\"nnn\" Klasse=\"" + s(7, 'o') + "\"/>\r\n"
      "    </Mannschaft>\r\n"
      "  </Meldungen>\r\n"
      "</Meldebogen>";
  const std::string text = ReadText(target_);
  ASSERT_GE(text.size(), expected.size());
  EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
}

TEST_F(EntryFileWriterTest, ControlCharactersBecomeBlanksAndTheFileParses) {
  useSample();
  FillSampleStore(*state_.memory, selection_);
  TeamRecord* r = state_.memory->getTeam(0, 1);
  SetFieldText(r->schoolName, "Schule\x1F" "Nord\x01");
  SetFieldText(r->street, "Weg\t1\r\n2");  // allowed characters
  SetFieldText(state_.memory->getAthlete(0, 1, 0)->name, "\x1B[0m Jan");
  SetFieldText(state_.eventDef->disciplines[0][1].name, "Weit\x7F\x0B");
  vid_ = "{ID\x02}";
  ASSERT_TRUE(write(target_));
  const std::string text = ReadText(target_);
  EXPECT_NE(text.find("<Schule Name=\"Schule Nord \" "), std::string::npos);
  EXPECT_NE(text.find("<Teilnehmer Name=\" [0m Jan\" "), std::string::npos);
  EXPECT_NE(text.find("<VeranstID LBK=\"\" Data=\"{ID }\"/>"), std::string::npos);
  EXPECT_EQ(text.find("&#31;"), std::string::npos);
  EXPECT_EQ(text.find("&#1;"), std::string::npos);
#ifdef KEL_LIBXML2
  std::unique_ptr<ParsedFile> parsed = Parse(target_);
  ASSERT_NE(parsed, nullptr) << "not well-formed:\n" << text;
  EXPECT_EQ(parsed->first["Schule"]["Name"], "Schule Nord ");
  EXPECT_EQ(parsed->counts["Strasse"], 1u);
  EXPECT_EQ(parsed->first["Teilnehmer"]["Name"], " [0m Jan");
  EXPECT_EQ(parsed->first["VeranstID"]["Data"], "{ID }");
  EXPECT_EQ(parsed->counts["Disziplin"], 2u);
#endif
}

TEST_F(EntryFileWriterTest, NumbersAndWindows1252TextsAreWrittenExactly) {
  useSample();
  FillSampleStore(*state_.memory, selection_);
  TeamRecord* r = state_.memory->getTeam(0, 1);
  SetFieldText(r->schoolName, "\x80\x9F\xA0\xFF\xE4");
  r->relayTimes[0] = -1;
  r->relayTimes[1] = INT32_MIN;
  AthleteRecord* a = state_.memory->getAthlete(0, 1, 0);
  a->mask = 1;
  a->Leistung[0] = INT32_MAX;
  ASSERT_TRUE(write(target_));
  const std::string text = ReadText(target_);
  EXPECT_NE(text.find("<Schule Name=\"&#8364;&#376;&#160;&#255;&#228;\" "), std::string::npos) << text;
  EXPECT_NE(text.find("<Staffelzeiten Staffel1=\"-1\" Staffel2=\"-2147483648\"/>"), std::string::npos) << text;
  EXPECT_NE(text.find("<Meldung Disziplin=\"0\" Leistung=\"2147483647\"/>"), std::string::npos) << text;
}

TEST_F(EntryFileWriterTest, AFullEventIsWrittenWhole) {
  // 12 classes x 20 teams x 13 named athletes, each in every discipline of
  // its class; classes list 13, 12, 12, 10, 12 or 10 athletes per team.
  ASSERT_TRUE(LoadFixtureEvent("full/treiber/KREIS2010.JTFO"));
  CopyFixtureData("full/veranst", "KREIS2010");
  state_.memory = std::make_unique<Memory>(state_);
  ASSERT_TRUE(state_.memory->isReady());
  for (auto& row : selection_)
    for (int32_t t = 0; t < kMaxTeams; ++t) row[t] = 1;
  ASSERT_TRUE(write(target_));

  const std::string text = ReadText(target_);
  const struct {
    const char* element;
    size_t count;
  } counts[] = {{"Wettkampfklasse", 12}, {"Disziplin", 80}, {"Mannschaft", 240}, {"Schuldaten", 240},
                {"Teilnehmer", 2760},    {"Meldung", 18440}};
  for (const auto& c : counts)
    EXPECT_EQ(StartTags(text, c.element), c.count) << c.element;
  EXPECT_EQ(Occurrences(text, "Name=\"Teilnehmer 11-19-"), 10u);
  const std::string tail =
      "      <Teilnehmer Name=\"Teilnehmer 11-19-9\" JG=\"96\" Klasse=\"7a\">\r\n"
      "        <Meldung Disziplin=\"0\" Leistung=\"1009\"/>\r\n"
      "        <Meldung Disziplin=\"1\" Leistung=\"20009\"/>\r\n"
      "        <Meldung Disziplin=\"2\" Leistung=\"2\"/>\r\n"
      "        <Meldung Disziplin=\"3\" Leistung=\"150\"/>\r\n"
      "        <Meldung Disziplin=\"4\" Leistung=\"450\"/>\r\n"
      "        <Meldung Disziplin=\"5\" Leistung=\"800\"/>\r\n"
      "      </Teilnehmer>\r\n"
      "    </Mannschaft>\r\n"
      "  </Meldungen>\r\n"
      "</Meldebogen>";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_NE(text.find("    <Mannschaft Klasse=\"HS 5/6 M&#228;dchen\" Index=\"12\">\r\n"
                      "      <Schuldaten>\r\n"
                      "        <Schule Name=\"Schule 11-19\" Liste=\"Liste 11-19\" Reiter=\"S19\"/>\r\n"),
            std::string::npos);
#ifdef KEL_LIBXML2
  std::unique_ptr<ParsedFile> parsed = Parse(target_);
  ASSERT_NE(parsed, nullptr);
  for (const auto& c : counts) EXPECT_EQ(parsed->counts[c.element], c.count) << c.element;
#endif
}

TEST_F(EntryFileWriterTest, ATargetThatCannotBeWrittenGivesFalseAndLeavesNothing) {
  useSample();
  FillSampleStore(*state_.memory, selection_);
  const std::string missing = dir_ / "fehlt" + kPathSep + "Meldung.VOV";
  EXPECT_FALSE(write(missing));
  EXPECT_FALSE(fs::exists(dir_ / "fehlt"));
  EXPECT_EQ(xml_.Document()->ChildNodes()->nlGetLength(), 0);
  // A folder in the target's place stays, and nothing is left beside it.
  fs::create_directory(target_);
  EXPECT_FALSE(write(target_));
  EXPECT_TRUE(fs::is_directory(target_));
  size_t entries = 0;
  for (const auto& e : fs::directory_iterator(dir_.path())) entries += e.path().filename() != "veranst";
  EXPECT_EQ(entries, 2u);  // the folder and "treiber"
}

}  // namespace
}  // namespace kel::test
