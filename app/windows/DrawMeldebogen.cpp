// The entry form: heading and address block, one row per athlete place with
// a column per discipline, the relay times and the signature line.
#include <algorithm>
#include <string>

#include "app/core/EntryTexts.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/windows/Printouts.h"

namespace {

constexpr int32_t kRelay = 4;
constexpr int32_t kShuttleRelay = 10;

std::string CellText(const EventState& state, int32_t c, int32_t d, int32_t type, int32_t v) {
  if (type == kRelay) {
    if (v >= 1 && v <= 4) return "I:" + std::to_string(v);
    if (v >= 5 && v <= 8) return "II:" + std::to_string(v - 4);
    return "ERR";
  }
  if (type == kShuttleRelay) return v >= 1 && v <= 8 ? std::to_string(v) : "ERR";
  return FormatPerformance(state, c, d, std::to_string(v), 1);
}

std::string_view WithoutLeadingBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

}  // namespace

const char* PrintLevelName(const EventState& state) {
  if (!state.eventDef || state.eventKind < 0 || state.eventKind >= kLevelCount) return "";
  static std::string name;
  name = FieldText(state.eventDef->levelNames[state.eventKind]);
  return name.c_str();
}

int32_t DrawTeamAddress(PrintCanvas& canvas, int32_t x0, int32_t y, int32_t LH, const TeamRecord& team,
                        int32_t gap) {
  canvas.text(x0, y, FieldText(team.schoolName));
  if (FieldLength(team.street) > 0) {
    y += LH;
    canvas.text(x0, y, FieldText(team.street));
    y += LH;
    canvas.text(x0, y, FieldText(team.town));
  }
  y += gap;
  canvas.text(x0, y, FieldText(team.supervisor));
  y += LH;
  canvas.text(x0, y, "Tel. dienstlich: " + FieldText(team.tel1));
  y += LH;
  canvas.text(x0, y, "Tel. privat: " + FieldText(team.tel2));
  return y;
}

int32_t DrawMeldebogen(const EventState& state, PrintCanvas& canvas, int32_t c, int32_t t) {
  TeamRecord* team = state.memory ? state.memory->getTeam(c, t) : nullptr;
  if (!state.eventDef || !team) return 1;
  const ClassRecord& cls = state.eventDef->classes[c];
  const int32_t athletes = std::min<int32_t>(std::max<int32_t>(cls.athletesPerTeam, 0), kMaxAthletes);
  const int32_t disciplines = std::min<int32_t>(std::max<int32_t>(cls.disciplineCount, 0), kMaxDisciplines);

  const PrintMeasures m = BeginPrintout(canvas, PrintFont("Arial", 40, 80, false),
                                        PrintFont("Arial", 50, 100, false), state.settings.leftMargin);
  const int32_t CW = m.CW, CH = m.CH, LH = m.LH, CH2 = m.CH2, x0 = m.x0;

  int32_t y = 15;
  canvas.text(x0, y, "Bundeswettbewerb der Schulen");
  y += LH;
  canvas.text(x0, y, "JUGEND TRAINIERT FÜR OLYMPIA");
  y += LH;
  canvas.text(x0, y, PrintLevelName(state));
  y += LH;
  canvas.text(x0, y, FieldText(state.eventTitle));
  canvas.useFont(PrintCanvas::HeadingFont);
  canvas.text(x0 + 50 * CW, y - CH2 + CH, "Leichtathletik");
  canvas.useFont(PrintCanvas::TextFont);
  y += LH;
  canvas.text(x0 + 50 * CW, y, "Wettkampfklasse:  " + FieldText(cls.name));
  y += 2 * LH;
  y = DrawTeamAddress(canvas, x0, y, LH, *team, 2 * LH);
  if (FieldLength(team->mail) > 0) {
    y += LH;
    canvas.text(x0, y, "E-Mail: " + FieldText(team->mail));
  }
  y += 4 * LH;
  canvas.useFont(PrintCanvas::HeadingFont);
  canvas.text(x0, y - CH2 + CH, "Meldebogen");
  canvas.useFont(PrintCanvas::TextFont);

  // The table head.
  y += LH + 6;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += 10;
  const int32_t xNr = x0;
  const int32_t xName = x0 + canvas.textSize("Nr  ").cx;
  const int32_t xJG = xName + 20 * CW;
  int32_t col[kMaxDisciplines + 1] = {};
  col[0] = xJG + canvas.textSize("JG   ").cx;
  canvas.text(xNr, y, "Nr");
  canvas.text(xName, y, "Name, Vorname");
  canvas.text(xJG, y, "JG");
  for (int32_t d = 0; d < disciplines; ++d) {
    const std::string shortName = FieldText(state.eventDef->disciplines[c][d].shortName);
    if (shortName.empty()) {
      col[d + 1] = col[d] + 3 * CW;
      continue;
    }
    canvas.text(col[d], y, WithoutLeadingBlanks(shortName));
    col[d + 1] = col[d] + canvas.textSize(shortName).cx + 3 * CW;
  }
  y += LH + 10;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += 20;

  // One row per athlete place.
  for (int32_t i = 0; i < athletes; ++i) {
    const AthleteRecord* a = state.memory->getAthlete(c, t, i);
    y += 2;
    canvas.text(xNr, y, std::to_string(i + 1));
    if (!a || FieldLength(a->name) == 0) {
      canvas.text(xName, y, "--");
      y += LH;
      continue;
    }
    canvas.text(xName, y, FieldText(a->name));
    canvas.text(xJG, y, FieldText(a->JG));
    for (int32_t d = 0; d < disciplines; ++d) {
      if (!(a->mask & (1u << d))) continue;
      const int32_t type = state.eventDef->disciplines[c][d].type;
      canvas.text(col[d], y, CellText(state, c, d, type, a->Leistung[d]));
    }
    y += LH + LH / 2;
  }
  y += LH + 2;
  canvas.rule(x0, x0 + 76 * CW, y);
  y += LH;

  // The relay times, under the first sprint relay's mask.
  for (int32_t d = 0; d < disciplines; ++d) {
    if (state.eventDef->disciplines[c][d].type != kRelay) continue;
    canvas.text(x0, y, "Staffel I:");
    canvas.text(x0 + 15 * CH, y, FormatPerformance(state, c, d, std::to_string(int32_t(team->relayTimes[0])), 0));
    y += LH;
    canvas.text(x0, y, "Staffel II:");
    canvas.text(x0 + 15 * CH, y, FormatPerformance(state, c, d, std::to_string(int32_t(team->relayTimes[1])), 0));
    break;
  }

  // The signature stands at the foot of the page, wherever the table ends.
  const int32_t ys = canvas.extentHeight() - LH * state.settings.copyright - LH;
  canvas.text(x0, ys, "......................................");
  canvas.text(x0, ys + LH, "Mannschaftsbetreuer");
  canvas.end();
  return 1;
}
