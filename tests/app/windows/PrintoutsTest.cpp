// The entry form and the pupil list drawn on a recording canvas whose fonts
// have fixed measures: every text is checked at its (x, y) in units of the
// character width and line height.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/windows/Printouts.h"
#include "tests/app/core/TestSupport.h"

namespace {

// Text font: "X" is CW x CH, lines LH apart; heading font: "L" is CH2 high.
constexpr int32_t CW = 10, CH = 20, LH = 24, CH2 = 30, kPageHeight = 3508;

struct Drawn {
  int32_t x, y;
  std::string text;
  int slot;
};
struct Rule {
  int32_t x1, x2, y;
};

class RecordingCanvas : public PrintCanvas {
 public:
  void begin(const PrintFont& text, const PrintFont& heading) override {
    fonts = {text, heading};
    ++begun;
    slot = TextFont;
  }
  void end() override { ++ended; }
  void useFont(FontSlot s) override { slot = s; }
  PrintSize textSize(std::string_view t) override {
    const int32_t n = static_cast<int32_t>(t.size());
    return slot == TextFont ? PrintSize{n * CW, CH} : PrintSize{n * 15, CH2};
  }
  int32_t lineHeight() override { return slot == TextFont ? LH : 40; }
  void text(int32_t x, int32_t y, std::string_view t) override { texts.push_back({x, y, std::string(t), slot}); }
  void rule(int32_t x1, int32_t x2, int32_t y) override { rules.push_back({x1, x2, y}); }
  int32_t extentHeight() override { return kPageHeight; }

  const Drawn* find(const std::string& t) const {
    for (const Drawn& d : texts)
      if (d.text == t) return &d;
    return nullptr;
  }
  int count(const std::string& t) const {
    int n = 0;
    for (const Drawn& d : texts) n += d.text == t;
    return n;
  }

  std::vector<PrintFont> fonts;
  std::vector<Drawn> texts;
  std::vector<Rule> rules;
  int begun = 0, ended = 0;
  int slot = TextFont;
};

struct Expected {
  const char* text;
  int32_t x, y;
  int slot = PrintCanvas::TextFont;
};

class Printouts : public kel::test::CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    ClassRecord cls = kel::test::MakeClass("I Jungen", 2011, 3, 95, 2, 20);
    cls.athletesPerTeam = 4;
    cls.Index = 1;
    UseEvent({cls}, {{kel::test::MakeDiscipline("100 m Lauf", "99','99", 1, 4),
                      kel::test::MakeDiscipline("4x50m Staffel", "99','99", 4, 8),
                      kel::test::MakeDiscipline("Pendelstaffel", "99','99", 10, 8)}});
    SetFieldText(state_.eventDef->disciplines[0][0].shortName, "100m");
    SetFieldText(state_.eventDef->disciplines[0][1].shortName, "Staffel");
    SetFieldText(state_.eventDef->disciplines[0][2].shortName, " Pendel");
    SetFieldText(state_.eventDef->levelNames[2], "Kreisentscheid");
    state_.eventKind = 2;
    SetFieldText(state_.eventTitle, "Konstanz");
    state_.settings.leftMargin = 0;
    state_.settings.copyright = 3;

    TeamRecord* t = state_.memory->getTeam(0, 0);
    SetFieldText(t->schoolName, "Realschule Süd");
    SetFieldText(t->listName, "RS Süd");
    SetFieldText(t->street, "Hauptstr. 1");
    SetFieldText(t->town, "78462 Konstanz");
    SetFieldText(t->supervisor, "Herr Groß");
    SetFieldText(t->tel1, "07531 1");
    SetFieldText(t->tel2, "07531 2");
    SetFieldText(t->mail, "rs@example.org");
    t->relayTimes[0] = 3125;
    t->relayTimes[1] = 3340;
    athlete(0, "Meier, Anna", "98", "7a", 0b111, {1234, 6, 3});
    athlete(1, "Huber, Max", "97", "8b", 0b110, {0, 9, 0});
  }
  void athlete(int32_t m, const char* name, const char* jg, const char* schoolClass, uint8_t mask,
               std::vector<int32_t> values) {
    AthleteRecord* a = state_.memory->getAthlete(0, 0, m);
    SetFieldText(a->name, name);
    SetFieldText(a->JG, jg);
    SetFieldText(a->schoolClass, schoolClass);
    a->mask = mask;
    for (size_t d = 0; d < values.size(); ++d) a->Leistung[d] = values[d];
  }
  // Every expected text is drawn exactly there, in that font.
  static void expectAll(const RecordingCanvas& canvas, const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
      const Drawn* d = canvas.find(e.text);
      ASSERT_NE(d, nullptr) << e.text;
      EXPECT_EQ(d->x, e.x) << e.text;
      EXPECT_EQ(d->y, e.y) << e.text;
      EXPECT_EQ(d->slot, e.slot) << e.text;
    }
    EXPECT_EQ(canvas.begun, 1);
    EXPECT_EQ(canvas.ended, 1);
  }
};

constexpr int H = PrintCanvas::HeadingFont;

TEST_F(Printouts, EntryFormPlacesEveryText) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawMeldebogen(state_, canvas, 0, 0), 1);
  ASSERT_EQ(canvas.fonts.size(), 2u);
  EXPECT_EQ(canvas.fonts[0].face, "Arial");
  EXPECT_EQ(canvas.fonts[0].width, 40);
  EXPECT_EQ(canvas.fonts[0].height, 80);
  EXPECT_FALSE(canvas.fonts[0].fixedPitch);
  EXPECT_EQ(canvas.fonts[1].height, 100);

  const int32_t place = 15 + 3 * LH;
  const int32_t head = 15 + 13 * LH + 4 * LH;  // "Meldebogen"
  const int32_t cols = head + LH + 6 + 10;     // the table head
  const int32_t xName = 4 * CW, xJG = xName + 20 * CW, col0 = xJG + 5 * CW;
  const int32_t col1 = col0 + 4 * CW + 3 * CW, col2 = col1 + 7 * CW + 3 * CW;
  const int32_t row0 = cols + LH + 10 + 20 + 2;
  const int32_t row1 = row0 + LH + LH / 2 + 2;
  const int32_t row2 = row1 + LH + LH / 2 + 2;
  const int32_t afterRows = row2 + 2 * LH + 2 + LH + 2;  // two empty rows, then the rule
  const int32_t foot = afterRows + LH;
  expectAll(canvas, {
                        {"Bundeswettbewerb der Schulen", 0, 15},
                        {"JUGEND TRAINIERT FÜR OLYMPIA", 0, 15 + LH},
                        {"Kreisentscheid", 0, 15 + 2 * LH},
                        {"Konstanz", 0, place},
                        {"Leichtathletik", 50 * CW, place - CH2 + CH, H},
                        {"Wettkampfklasse:  I Jungen", 50 * CW, place + LH},
                        {"Realschule Süd", 0, place + 3 * LH},
                        {"Hauptstr. 1", 0, place + 4 * LH},
                        {"78462 Konstanz", 0, place + 5 * LH},
                        {"Herr Groß", 0, place + 7 * LH},
                        {"Tel. dienstlich: 07531 1", 0, place + 8 * LH},
                        {"Tel. privat: 07531 2", 0, place + 9 * LH},
                        {"E-Mail: rs@example.org", 0, place + 10 * LH},
                        {"Meldebogen", 0, head - CH2 + CH, H},
                        {"Nr", 0, cols},
                        {"Name, Vorname", xName, cols},
                        {"JG", xJG, cols},
                        {"100m", col0, cols},
                        {"Staffel", col1, cols},
                        {"Pendel", col2, cols},  // without its leading blank, measured with it
                        {"1", 0, row0},
                        {"Meier, Anna", xName, row0},
                        {"98", xJG, row0},
                        {"12,34", col0, row0},
                        {"II:2", col1, row0},
                        {"3", col2, row0},
                        {"Huber, Max", xName, row1},
                        {"4", 0, row2 + LH + 2},
                        {"Staffel I:", 0, foot},
                        {"31,25", 15 * CH, foot},
                        {"Staffel II:", 0, foot + LH},
                        {"33,40", 15 * CH, foot + LH},
                        {"......................................", 0, kPageHeight - 4 * LH},
                        {"Mannschaftsbetreuer", 0, kPageHeight - 3 * LH},
                    });
  // The relay place 9 and the shuttle place 0 are errors; empty places get "--".
  EXPECT_EQ(canvas.count("ERR"), 2);
  EXPECT_EQ(canvas.count("--"), 2);
  EXPECT_EQ(canvas.find("--")->y, row2);
  ASSERT_EQ(canvas.rules.size(), 3u);
  EXPECT_EQ(canvas.rules[0].y, head + LH + 6);
  EXPECT_EQ(canvas.rules[1].y, cols + LH + 10);
  EXPECT_EQ(canvas.rules[2].y, afterRows);
  for (const Rule& r : canvas.rules) EXPECT_EQ(r.x2 - r.x1, 76 * CW);
}

TEST_F(Printouts, AddressLinesThatAreEmptyAreLeftOutAndTakeNoSpace) {
  TeamRecord* t = state_.memory->getTeam(0, 0);
  SetFieldText(t->street, "");
  SetFieldText(t->mail, "");
  RecordingCanvas form, list;
  DrawMeldebogen(state_, form, 0, 0);
  DrawSchuelerliste(state_, list, 0, 0);
  const int32_t place = 15 + 3 * LH;
  for (const RecordingCanvas* c : {&form, &list}) {
    EXPECT_EQ(c->find("Hauptstr. 1"), nullptr);
    EXPECT_EQ(c->find("78462 Konstanz"), nullptr);
    EXPECT_EQ(c->find("E-Mail: rs@example.org"), nullptr);
  }
  expectAll(form, {{"Herr Groß", 0, place + 5 * LH}, {"Meldebogen", 0, place + 7 * LH + 4 * LH - CH2 + CH, H}});
  expectAll(list, {{"Herr Groß", 0, 15 + 5 * LH + LH + LH / 2}});
}

TEST_F(Printouts, MarginAndCopyrightMoveTheWholeForm) {
  state_.settings.leftMargin = 5;
  state_.settings.copyright = 0;
  // Without a relay discipline there are no relay times.
  state_.eventDef->disciplines[0][1].type = 1;
  RecordingCanvas canvas;
  DrawMeldebogen(state_, canvas, 0, 0);
  const int32_t x0 = 5 * CW;
  expectAll(canvas, {{"Bundeswettbewerb der Schulen", x0, 15},
                     {"Leichtathletik", x0 + 50 * CW, 15 + 3 * LH - CH2 + CH, H},
                     {"Name, Vorname", x0 + 4 * CW, 15 + 18 * LH + 16},
                     {"......................................", x0, kPageHeight - LH}});
  for (const Rule& r : canvas.rules) EXPECT_EQ(r.x1, x0);
  EXPECT_EQ(canvas.find("Staffel I:"), nullptr);
  EXPECT_EQ(canvas.find("Staffel II:"), nullptr);
}

TEST_F(Printouts, ADisciplineWithoutShortNameKeepsThreeCharactersAndItsCells) {
  SetFieldText(state_.eventDef->disciplines[0][0].shortName, "");
  RecordingCanvas canvas;
  DrawMeldebogen(state_, canvas, 0, 0);
  const int32_t col0 = 29 * CW;
  EXPECT_EQ(canvas.find("Staffel")->x, col0 + 3 * CW);
  EXPECT_EQ(canvas.find("12,34")->x, col0);
  EXPECT_EQ(canvas.find("II:2")->x, col0 + 3 * CW);
}

TEST_F(Printouts, PupilListPlacesEveryText) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawSchuelerliste(state_, canvas, 0, 0), 1);
  ASSERT_EQ(canvas.fonts.size(), 2u);
  EXPECT_EQ(canvas.fonts[0].face, "Courier New Standard");
  EXPECT_TRUE(canvas.fonts[0].fixedPitch && canvas.fonts[1].fixedPitch);
  EXPECT_EQ(canvas.fonts[0].width, 60);
  EXPECT_EQ(canvas.fonts[1].width, 120);

  const int32_t level = 15 + 2 * LH;
  const int32_t cls = level + 2 * LH;
  const int32_t head = cls + 3 * LH + LH + LH / 2 + 2 * LH + 2 * LH;  // "Schülerliste"
  const int32_t cols = head + LH + 5 + 5;
  const int32_t row0 = cols + LH + 5 + 3 + 2;
  const int32_t foot = row0 + 4 * LH + 3 * 2 + LH + 2 + 2 * LH;
  expectAll(canvas, {
                        {"Bundeswettbewerb der Schulen", 0, 15},
                        {"Konstanz", 68 * CW, 15},
                        {"JUGEND TRAINIERT FÜR OLYMPIA", 0, 15 + LH},
                        {"Kreisentscheid", 0, level},
                        {"Leichtathletik", 36 * CW, level - CH2 + CH, H},
                        {"Wettkampfklasse:", 36 * CW, cls},
                        {"I Jungen", 53 * CW, cls},
                        {"Realschule Süd", 0, cls + LH},
                        {"Hauptstr. 1", 0, cls + 2 * LH},
                        {"78462 Konstanz", 0, cls + 3 * LH},
                        {"Herr Groß", 0, cls + 4 * LH + LH / 2},
                        {"Tel. privat: 07531 2", 0, cls + 6 * LH + LH / 2},
                        {"Schülerliste", 0, head - CH2 + CH, H},
                        {"Nr    Name des Teilnehmers", 0, cols},
                        {"JG    Klasse", 35 * CW, cols},
                        {"1", 0, row0},
                        {"Meier, Anna", 6 * CW, row0},
                        {"98", 35 * CW, row0},
                        {"7a", 41 * CW, row0},
                        {"8b", 41 * CW, row0 + LH + 2},
                        {"Diese Schülerliste gilt NUR für den angegebenen Wettkampf; sie muss VOLLSTÄN-", 0, foot},
                        {"Wettkampfbüro abzugeben.", 0, foot + 2 * LH},
                        {"JEDER TEILNEHMER MUSS ZUSÄTZLICH IM BESITZ EINES GÜLTIGEN SCHÜLERAUSWEISES", 0,
                         foot + 4 * LH},
                        {"SEIN!", 0, foot + 5 * LH},
                        {".....................    ......................    .........................", 0,
                         kPageHeight - 5 * LH},
                        {"     Schulleiter              Schulstempel             Mannschaftsbetreuer", 0,
                         kPageHeight - 4 * LH},
                    });
  EXPECT_EQ(canvas.count("--"), 2);
  EXPECT_EQ(canvas.find("--")->x, 6 * CW);
  EXPECT_EQ(canvas.find("BITTE BEACHTEN SIE, DASS ABITURIENTEN NACH DEM OFFIZIELLEN"), nullptr);
  // No e-mail line on the pupil list.
  EXPECT_EQ(canvas.find("E-Mail: rs@example.org"), nullptr);
}

TEST_F(Printouts, PupilListNoticesFollowModeAndIndex) {
  struct Case {
    int16_t modus, index;
    bool cardNotice, leaverNotice;
  };
  for (const Case& k : {Case{0, 0, true, true}, Case{4, 6, false, true}, Case{4, 1, false, false}}) {
    state_.eventDef->classes[0].Modus = k.modus;
    state_.eventDef->classes[0].Index = k.index;
    RecordingCanvas canvas;
    DrawSchuelerliste(state_, canvas, 0, 0);
    const Drawn* last = canvas.find("Wettkampfbüro abzugeben.");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(canvas.find("SEIN!") != nullptr, k.cardNotice) << k.modus;
    const Drawn* leaver = canvas.find("BITTE BEACHTEN SIE, DASS ABITURIENTEN NACH DEM OFFIZIELLEN");
    ASSERT_EQ(leaver != nullptr, k.leaverNotice) << k.index;
    // Both ways leave four lines before the notice on school leavers.
    if (leaver) {
      EXPECT_EQ(leaver->y, last->y + 4 * LH + (k.cardNotice ? LH : 0));
      EXPECT_EQ(canvas.find("ENTLASSUNGSTERMIN NICHT MEHR STARTBERECHTIGT SIND!")->y, leaver->y + LH);
    }
  }
}

TEST_F(Printouts, PupilListFontComesFromTheSettingsWithItsFaceCut) {
  state_.settings.font = std::string(40, 'F');
  state_.settings.x1 = 50;
  state_.settings.y1 = 100;
  state_.settings.x2 = 90;
  state_.settings.y2 = 180;
  SetFieldText(state_.eventTitle, "0123456789");
  RecordingCanvas canvas;
  DrawSchuelerliste(state_, canvas, 0, 0);
  ASSERT_EQ(canvas.fonts.size(), 2u);
  EXPECT_EQ(canvas.fonts[0].face, std::string(31, 'F'));
  EXPECT_EQ(canvas.fonts[1].face, std::string(31, 'F'));
  EXPECT_EQ(canvas.fonts[0].width, 50);
  EXPECT_EQ(canvas.fonts[0].height, 100);
  EXPECT_EQ(canvas.fonts[1].width, 90);
  EXPECT_EQ(canvas.fonts[1].height, 180);
  // A place of ten characters ends at column 76.
  EXPECT_EQ(canvas.find("0123456789")->x, 66 * CW);
}

TEST_F(Printouts, NoTeamDrawsNothing) {
  RecordingCanvas canvas;
  EXPECT_EQ(DrawMeldebogen(state_, canvas, 0, 25), 1);
  EXPECT_EQ(DrawSchuelerliste(state_, canvas, 13, 0), 1);
  EXPECT_TRUE(canvas.texts.empty());
}

}  // namespace
