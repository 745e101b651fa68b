#pragma once
// The example event the demo programs of the forms show: six classes of 13
// athletes, the last discipline a relay, five level names and a place; and
// the example teams they enter into it.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"

namespace demo {

inline void makeEvent(EventState& state) {
  state.eventDef = std::make_unique<EventDefinition>();
  std::memset(state.eventDef.get(), 0, sizeof(EventDefinition));
  const char* classes[] = {"WK II Jungen", "WK II Mädchen", "WK III Jungen", "WK III Mädchen",
                           "WK IV Jungen", "WK IV Mädchen"};
  state.eventDef->classCount = 6;
  for (int c = 0; c < 6; ++c) {
    ClassRecord& cr = state.eventDef->classes[c];
    SetFieldText(cr.name, classes[c]);
    SetFieldText(state.classNames[c + 1], classes[c]);
    cr.athletesPerTeam = 13;
    cr.teamPlaces = 20;
    cr.disciplineCount = 3;
    SetFieldText(state.eventDef->disciplines[c][0].name, "75 m");
    SetFieldText(state.eventDef->disciplines[c][1].name, "Weitsprung");
    SetFieldText(state.eventDef->disciplines[c][2].name, "4x75 m");
    SetFieldText(state.eventDef->disciplines[c][2].mask, "99','99");
    state.eventDef->disciplines[c][2].type = 4;
  }
  const char* levels[] = {"Stadtentscheid", "Kreisentscheid", "Bezirksfinale", "Landesfinale",
                          "Bundesfinale"};
  for (int l = 0; l < 5; ++l) SetFieldText(state.eventDef->levelNames[l], levels[l]);
  SetFieldText(state.eventTitle, "Konstanz, Bodenseestadion");
}

// The example event with fresh blank data files in the temporary folder
// `folder`, and its store.
inline void openEvent(EventState& state, const char* folder) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  state.settings.veranstDir = std::string(tmp) + folder;
  CreateDirectoryA(state.settings.veranstDir.c_str(), nullptr);
  state.eventName = "\\Demo.";
  makeEvent(state);
  for (const char* ext : {"SDA", "MDA", "STF"}) DeleteFileA(DataFilePath(state, ext).c_str());
  CreateBlankDataFiles(state);
  state.memory = std::make_unique<Memory>(state);
}

// A team at place t of class c with a full address block, two relay times and
// one named athlete who has a discipline.
inline void addTeam(EventState& state, int c, int t, const char* school, const char* list, const char* tab,
                    const char* supervisor, int relay) {
  TeamRecord* r = state.memory->loadTeamAthletes(c, t);
  SetFieldText(r->schoolName, school);
  SetFieldText(r->listName, list);
  SetFieldText(r->tabName, tab);
  SetFieldText(r->street, "Schulstraße 12");
  SetFieldText(r->town, "78462 Konstanz");
  SetFieldText(r->Bez, "FR");
  SetFieldText(r->Kre, "KN");
  SetFieldText(r->mail, "sekretariat@gym-stadtpark.de");
  SetFieldText(r->supervisor, supervisor);
  SetFieldText(r->tel1, "07531 90 12-0");
  SetFieldText(r->tel2, "07531 55 43 21");
  r->relayTimes[0] = relay;
  r->relayTimes[1] = relay + 87;
  SetFieldText(state.memory->getAthlete(c, t, 0)->name, "Jörg Weiß");
  state.memory->getAthlete(c, t, 0)->mask = 1;
}

}  // namespace demo
