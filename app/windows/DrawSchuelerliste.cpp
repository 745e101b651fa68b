// The pupil list: heading and address block, one row per athlete place with
// birth year and school class, the notices and the three signatures. Its
// fonts come from the settings and are of fixed pitch, so its columns are
// counted in characters.
#include <algorithm>
#include <string>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/windows/Printouts.h"

int32_t DrawSchuelerliste(const EventState& state, PrintCanvas& canvas, int32_t c, int32_t t) {
  TeamRecord* team = state.memory ? state.memory->getTeam(c, t) : nullptr;
  if (!state.eventDef || !team) return 1;
  const ClassRecord& cls = state.eventDef->classes[c];
  const int32_t athletes = std::min<int32_t>(std::max<int32_t>(cls.athletesPerTeam, 0), kMaxAthletes);

  const PrintMeasures m =
      BeginPrintout(canvas, PrintFont(state.settings.font, state.settings.x1, state.settings.y1, true),
                    PrintFont(state.settings.font, state.settings.x2, state.settings.y2, true), state.settings.leftMargin);
  const int32_t CW = m.CW, CH = m.CH, LH = m.LH, CH2 = m.CH2, x0 = m.x0;

  int32_t y = 15;
  canvas.text(x0, y, "Bundeswettbewerb der Schulen");
  const std::string place = FieldText(state.eventTitle);
  canvas.text(x0 + (76 - int32_t(place.size())) * CW, y, place);
  y += LH;
  canvas.text(x0, y, "JUGEND TRAINIERT FÜR OLYMPIA");
  y += LH;
  canvas.text(x0, y, PrintLevelName(state));
  canvas.useFont(PrintCanvas::HeadingFont);
  canvas.text(x0 + 36 * CW, y - CH2 + CH, "Leichtathletik");
  canvas.useFont(PrintCanvas::TextFont);
  y += 2 * LH;
  canvas.text(x0 + 36 * CW, y, "Wettkampfklasse:");
  canvas.text(x0 + 53 * CW, y, FieldText(cls.name));
  y += LH;
  y = DrawTeamAddress(canvas, x0, y, LH, *team, LH + LH / 2);
  y += 2 * LH;
  canvas.useFont(PrintCanvas::HeadingFont);
  canvas.text(x0, y - CH2 + CH, "Schülerliste");
  canvas.useFont(PrintCanvas::TextFont);
  y += LH + 5;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += 5;
  canvas.text(x0, y, "Nr    Name des Teilnehmers");
  canvas.text(x0 + 35 * CW, y, "JG    Klasse");
  y += LH + 5;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += 3;

  for (int32_t i = 0; i < athletes; ++i) {
    const AthleteRecord* a = state.memory->getAthlete(c, t, i);
    y += 2;
    canvas.text(x0, y, std::to_string(i + 1));
    if (!a || FieldLength(a->name) == 0) {
      canvas.text(x0 + 6 * CW, y, "--");
    } else {
      canvas.text(x0 + 6 * CW, y, FieldText(a->name));
      canvas.text(x0 + 35 * CW, y, FieldText(a->JG));
      canvas.text(x0 + 41 * CW, y, FieldText(a->schoolClass));
    }
    y += LH;
  }

  y += LH + 2;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += 2 * LH;
  canvas.text(x0, y, "Diese Schülerliste gilt NUR für den angegebenen Wettkampf; sie muss VOLLSTÄN-");
  y += LH;
  canvas.text(x0, y, "DIG ausgefüllt und unterschrieben sein und ist VOR der Veranstaltung im");
  y += LH;
  canvas.text(x0, y, "Wettkampfbüro abzugeben.");
  if (cls.Modus == 4) {
    y += 4 * LH;
  } else {
    y += 2 * LH;
    canvas.text(x0, y, "JEDER TEILNEHMER MUSS ZUSÄTZLICH IM BESITZ EINES GÜLTIGEN SCHÜLERAUSWEISES");
    y += LH;
    canvas.text(x0, y, "SEIN!");
    y += 2 * LH;
  }
  if (cls.Index == 0 || cls.Index == 6) {
    canvas.text(x0, y, "BITTE BEACHTEN SIE, DASS ABITURIENTEN NACH DEM OFFIZIELLEN");
    canvas.text(x0, y + LH, "ENTLASSUNGSTERMIN NICHT MEHR STARTBERECHTIGT SIND!");
  }

  const int32_t ys = canvas.extentHeight() - LH * state.settings.copyright - 2 * LH;
  canvas.text(x0, ys, ".....................    ......................    .........................");
  canvas.text(x0, ys + LH, "     Schulleiter              Schulstempel             Mannschaftsbetreuer");
  canvas.end();
  return 1;
}
