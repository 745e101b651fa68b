#include "app/core/EntryTexts.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "tests/app/core/TestSupport.h"

namespace kel::test {
namespace {

DisciplineRecord Dis(const char* name, const char* mask, int32_t type, int32_t most = 4) {
  return MakeDiscipline(name, mask, type, most);
}

ClassRecord Cls(const char* name, int16_t season) { return MakeClass(name, season, 5, 50, 50, 20); }

class EntryTextsTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    UseEvent({Cls("I Jungen", 2011), Cls("II Jungen", 2011), Cls("III Jungen", 2010)},
             {{Dis("100m", "99','99", 1), Dis("1000m", "9':'99','99", 2), Dis("4x100m", "99','99", 4),
               Dis("Hochsprung", "9','99", 8), Dis("Ohne", "'km'", 7)},
              {},
              {Dis("100m", "99','99", 1, 6)}});
    TeamRecord* t = state_.memory->getTeam(2, 4);
    SetFieldText(t->schoolName, "Goethe-Gymnasium");
    SetFieldText(t->listName, "Goethe I");
    AthleteRecord* a = state_.memory->getAthlete(2, 4, 1);
    SetFieldText(a->name, "Max Muster");
    SetFieldText(a->JG, "95");
  }
};

TEST_F(EntryTextsTest, PerformancesFillTheirMaskFromTheRight) {
  struct { int32_t k; const char* digits; int32_t relay; const char* expected; } cases[] = {
      {0, "1234", 0, "12,34"},  {0, "5", 0, "00,05"},     {0, "", 0, "00,00"},
      {0, "987654", 0, "76,54"}, {1, "23456", 0, "2:34,56"}, {3, "185", 0, "1,85"},
      {2, "3", 1, "3"},         {2, "3", 0, "00,03"},     {4, "123", 0, "km"},
      {1, "23456", 1, "2:34,56"},  // the relay flag only counts for a sprint relay
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatPerformance(state_, 0, c.k, c.digits, c.relay), c.expected) << c.k << " " << c.digits;
}

TEST_F(EntryTextsTest, ErrorLinesNameClassAndAthleteOrTeam) {
  struct { int32_t code, member, ref; const char* expected; } cases[] = {
      {1, 1, -1, " [III Jungen] Max Muster: Falscher Jahrgang: 95"},
      {2, 1, 2, " [III Jungen] Max Muster: Keine Staffelbesetzung in Kurzstreckenstaffel angegeben"},
      {3, 1, 2, " [III Jungen] Max Muster: Keine Staffelbesetzung in Kurzstreckenstaffel angegeben"},
      {4, 1, -1, " [III Jungen] Max Muster: Zu wenig Disziplinen gemeldet"},
      {5, 1, -1, " [III Jungen] Max Muster: Zu viele Disziplinen gemeldet"},
      {6, -1, -1, " [III Jungen] Goethe I: Fehlerhafte Staffelbesetzung"},
      {7, -1, -1, " [III Jungen] Goethe I: Fehlerhafte Teilnehmerzahl für Kurzstrecke gemeldet"},
      {8, -1, -1, " [III Jungen] Goethe I: Meldefehler in Alternativ-Disziplinen Hoch/Weit"},
      {9, -1, -1, " [III Jungen] Goethe I: Meldefehler in Alternativ-Disziplinen Ball/Kugel"},
      {10, -1, -1, " [III Jungen] Goethe I: Fehlerhafte Teilnehmerzahl für Ball gemeldet"},
      {11, -1, 0, " [III Jungen] Goethe I: Mehr als 6 Meldungen in Disziplin 100m"},
      {12, -1, -1, " [III Jungen] Goethe I: Fehlerhafte Mannschaftsstärke"},
      {13, 1, -1, " [III Jungen] Max Muster: Meldefehler in Alternativ-Disziplinen Hoch/Weit"},
      {14, 1, -1, " [III Jungen] Max Muster: Meldefehler in Alternativ-Disziplinen Ball/Kugel"},
      {15, 1, -1, " [III Jungen] Max Muster: Keine Besetzung für Mittelstreckenstaffel angegeben"},
      {16, 1, -1, " [III Jungen] Max Muster: Fehlerhafte Staffelposition Mittelstreckenstaffel"},
      {17, -1, 7, " [III Jungen] Goethe I: Weniger als 3 Meldungen für Mittelstrecke!"},
      {18, 1, -1, " [III Jungen] Max Muster: Teilnehmer führt keinen Dreikampf durch!"},
      {19, 1, -1, " [III Jungen] Max Muster: JG 99 bzw. jünger => nicht in Mittelstrecke"},
      {20, 1, -1, " [III Jungen] Max Muster: JG 99 => max. 2 Laufwettbewerbe (incl. Staffel)"},
      {21, -1, 7, " [III Jungen] Goethe I: Mehr als 4 Meldungen für Mittelstrecke!"},
      {22, 1, -1, " [III Jungen] Max Muster: Kein Jahrgang angegeben!"},
      {0, 1, -1, "Interner Fehler 0x25: Unbekannter Fehlercde"},
      {23, 1, -1, "Interner Fehler 0x25: Unbekannter Fehlercde"},
  };
  for (const auto& c : cases) {
    state_.meldefehler->clearClass(2);
    state_.meldefehler->add(2, c.code, 4, c.member, c.ref);
    EXPECT_EQ(FormatEntryError(state_, 0, 2), c.expected) << c.code;
  }
  // Program texts are Windows-1252.
  EXPECT_NE(FormatEntryError(state_, 0, 2).find("Fehlercde"), std::string::npos);
  state_.meldefehler->clearClass(2);
  state_.meldefehler->add(2, 7, 4, -1, -1);
  EXPECT_EQ(FormatEntryError(state_, 0, 2)[52], '\xFC');
}

TEST_F(EntryTextsTest, YoungYearIsSeasonMinusElevenInTwoDigits) {
  state_.meldefehler->add(0, 19, 0, 0, -1);
  EXPECT_EQ(FormatEntryError(state_, 0, 0), " [I Jungen] : JG 00 bzw. jünger => nicht in Mittelstrecke");
}

TEST_F(EntryTextsTest, EntriesOutsideTheListGiveTheUnknownText) {
  EXPECT_EQ(FormatEntryError(state_, 60, 2), "Interner Fehler 0x25: Unbekannter Fehlercde");
  EXPECT_EQ(FormatEntryError(state_, 0, 12), "Interner Fehler 0x25: Unbekannter Fehlercde");
  state_.meldefehler->add(2, 11, 4, -1, 9);  // reference outside the disciplines
  EXPECT_EQ(FormatEntryError(state_, 0, 2), " [III Jungen] Goethe I: Mehr als 0 Meldungen in Disziplin ");
}

}  // namespace
}  // namespace kel::test
