#pragma once
// The example event the demo programs of the forms show: six classes of 13
// athletes, the last discipline a relay, five level names and a place.
#include <cstring>
#include <memory>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"

namespace demo {

inline void makeEvent() {
  gEventDef = std::make_unique<EventDefinition>();
  std::memset(gEventDef.get(), 0, sizeof(EventDefinition));
  const char* classes[] = {"WK II Jungen", "WK II Mädchen", "WK III Jungen", "WK III Mädchen",
                           "WK IV Jungen", "WK IV Mädchen"};
  gEventDef->classCount = 6;
  for (int c = 0; c < 6; ++c) {
    ClassRecord& cr = gEventDef->classes[c];
    SetFieldText(cr.name, classes[c]);
    SetFieldText(gClassNames[c + 1], classes[c]);
    cr.athletesPerTeam = 13;
    cr.teamPlaces = 20;
    cr.disciplineCount = 3;
    SetFieldText(gEventDef->disciplines[c][0].name, "75 m");
    SetFieldText(gEventDef->disciplines[c][1].name, "Weitsprung");
    SetFieldText(gEventDef->disciplines[c][2].name, "4x75 m");
    SetFieldText(gEventDef->disciplines[c][2].mask, "99','99");
    gEventDef->disciplines[c][2].type = 4;
  }
  const char* levels[] = {"Stadtentscheid", "Kreisentscheid", "Bezirksfinale", "Landesfinale",
                          "Bundesfinale"};
  for (int l = 0; l < 5; ++l) SetFieldText(gEventDef->levelNames[l], levels[l]);
  SetFieldText(gEventTitle, "Konstanz, Bodenseestadion");
}

}  // namespace demo
