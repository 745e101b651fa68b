#pragma once
// A small event and store whose entry file is known byte for byte: two
// classes, one ticked team of two athletes, and the teams that are left out
// (an unticked team, a ticked team without a named athlete, a class whose
// team is not ticked). Texts hold umlauts, quotes, "&" and "<".
#include "app/core/EntryFileWriter.h"
#include "app/core/EventDefinition.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"

#include <cstring>

namespace kel::test {

// Class 0: three athletes per team, two disciplines; class 1: thirteen, one.
inline void MakeSampleEvent(EventDefinition& def) {
  std::memset(&def, 0, sizeof def);
  def.classCount = 2;
  ClassRecord& c0 = def.classes[0];
  SetFieldText(c0.name, "III Mädchen");
  c0.Index = 3;
  c0.Modus = 1;
  c0.athletesPerTeam = 3;
  c0.disciplineCount = 2;
  SetFieldText(def.disciplines[0][0].name, "50 m");
  SetFieldText(def.disciplines[0][1].name, "Weitsprung & Wurf");
  ClassRecord& c1 = def.classes[1];
  SetFieldText(c1.name, "IV Jungen");
  c1.athletesPerTeam = 13;
  c1.disciplineCount = 1;
}

inline void FillSampleStore(Memory& store, EntrySelectionTable& selection) {
  auto team = [&store](int c, int t, const char* school) {
    TeamRecord* r = store.getTeam(c, t);
    SetFieldText(r->schoolName, school);
    return r;
  };
  auto athlete = [&store](int c, int t, int m, const char* name, uint8_t mask) {
    AthleteRecord* a = store.getAthlete(c, t, m);
    SetFieldText(a->name, name);
    a->mask = mask;
    return a;
  };
  TeamRecord* r = team(0, 1, "Grundschule Müßig & Söhne");
  SetFieldText(r->listName, "GS \"Süd\"");
  SetFieldText(r->tabName, "Süd");
  SetFieldText(r->town, "Überlingen");
  SetFieldText(r->Bez, "ÜB");
  SetFieldText(r->Kre, "K1");
  SetFieldText(r->supervisor, "Frau Weiß");
  SetFieldText(r->tel1, "07551 <1>");
  r->relayTimes[0] = 1234;
  r->relayTimes[1] = -5;
  AthleteRecord* a = athlete(0, 1, 0, "Jörg Groß", 0x09);
  SetFieldText(a->JG, "99");
  SetFieldText(a->schoolClass, "5a");
  a->Leistung[0] = 0;
  a->Leistung[3] = -7;
  athlete(0, 1, 2, "Ann-Kathrin", 0);
  team(0, 0, "Realschule");
  athlete(0, 0, 0, "Max", 0);
  team(0, 2, "Gymnasium");
  team(1, 0, "Hauptschule");
  athlete(1, 0, 0, "Tom", 1);
  selection[0][1] = 1;
  selection[0][2] = 1;
}

// The file of the sample with the installation identity "{6F2A-11}".
inline const char* const kSampleEntryFile =
    "<?xml version=\"1.0\"?>\r\n"
    "<Meldebogen Sportart=\"LA\" Creator=\"Zavrolin\" ID=\"12654\" Version=\"1.0\">\r\n"
    "  <VeranstID LBK=\"\" Data=\"{6F2A-11}\"/>\r\n"
    "  <Definitionen>\r\n"
    "    <Wettkampfklasse Name=\"III M&#228;dchen\" Index=\"3\" Modus=\"1\">\r\n"
    "      <Disziplin Name=\"50 m\"/>\r\n"
    "      <Disziplin Name=\"Weitsprung &amp; Wurf\"/>\r\n"
    "    </Wettkampfklasse>\r\n"
    "  </Definitionen>\r\n"
    "  <Meldungen>\r\n"
    "    <Mannschaft Klasse=\"III M&#228;dchen\" Index=\"3\">\r\n"
    "      <Schuldaten>\r\n"
    "        <Schule Name=\"Grundschule M&#252;&#223;ig &amp; S&#246;hne\" "
    "Liste=\"GS &#34;S&#252;d&#34;\" Reiter=\"S&#252;d\"/>\r\n"
    "        <Strasse Name=\"\"/>\r\n"
    "        <Ort Name=\"&#220;berlingen\" Bez=\"&#220;B\" Kre=\"K1\" Bla=\"\"/>\r\n"
    "        <EMail Mail=\"\"/>\r\n"
    "        <Betreuer Name=\"Frau Wei&#223;\" Tel1=\"07551 &lt;1>\" Tel2=\"\"/>\r\n"
    "        <Staffelzeiten Staffel1=\"1234\" Staffel2=\"-5\"/>\r\n"
    "      </Schuldaten>\r\n"
    "      <Teilnehmer Name=\"J&#246;rg Gro&#223;\" JG=\"99\" Klasse=\"5a\">\r\n"
    "        <Meldung Disziplin=\"0\" Leistung=\"0\"/>\r\n"
    "        <Meldung Disziplin=\"3\" Leistung=\"-7\"/>\r\n"
    "      </Teilnehmer>\r\n"
    "      <Teilnehmer Name=\"Ann-Kathrin\" JG=\"\" Klasse=\"\"/>\r\n"
    "    </Mannschaft>\r\n"
    "  </Meldungen>\r\n"
    "</Meldebogen>";

}  // namespace kel::test
