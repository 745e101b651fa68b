#include "app/core/EntryTexts.h"

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"

#include <cstdio>

namespace {

const DisciplineRecord* Discipline(const EventState& state, int32_t c, int32_t k) {
  if (!state.eventDef || c < 0 || c >= kMaxClasses || k < 0 || k >= kMaxDisciplines) return nullptr;
  return &state.eventDef->disciplines[c][k];
}

std::string ApplyMask(std::string_view mask, std::string_view digits) {
  std::string m;
  for (char ch : mask)
    if (ch != '\'') m.push_back(ch);
  size_t next = digits.size();  // digits are taken from the right end
  for (size_t i = m.size(); i-- > 0;) {
    if (m[i] != '9') continue;
    m[i] = next > 0 ? digits[--next] : '0';
  }
  return m;
}

const char* Text(int32_t code) {
  switch (code) {
    case 1: return "Falscher Jahrgang: %s";
    case 2:
    case 3: return "Keine Staffelbesetzung in Kurzstreckenstaffel angegeben";
    case 4: return "Zu wenig Disziplinen gemeldet";
    case 5: return "Zu viele Disziplinen gemeldet";
    case 6: return "Fehlerhafte Staffelbesetzung";
    case 7: return "Fehlerhafte Teilnehmerzahl für Kurzstrecke gemeldet";
    case 8:
    case 13: return "Meldefehler in Alternativ-Disziplinen Hoch/Weit";
    case 9:
    case 14: return "Meldefehler in Alternativ-Disziplinen Ball/Kugel";
    case 10: return "Fehlerhafte Teilnehmerzahl für Ball gemeldet";
    case 11: return "Mehr als %ld Meldungen in Disziplin %s";
    case 12: return "Fehlerhafte Mannschaftsstärke";
    case 15: return "Keine Besetzung für Mittelstreckenstaffel angegeben";
    case 16: return "Fehlerhafte Staffelposition Mittelstreckenstaffel";
    case 17: return "Weniger als 3 Meldungen für Mittelstrecke!";
    case 18: return "Teilnehmer führt keinen Dreikampf durch!";
    case 19: return "JG %02d bzw. jünger => nicht in Mittelstrecke";
    case 20: return "JG %02d => max. 2 Laufwettbewerbe (incl. Staffel)";
    case 21: return "Mehr als 4 Meldungen für Mittelstrecke!";
    case 22: return "Kein Jahrgang angegeben!";
    default: return nullptr;
  }
}

bool IsTeamError(int32_t code) {
  switch (code) {
    case 6: case 7: case 8: case 9: case 10: case 11: case 12: case 17: case 21: return true;
    default: return false;
  }
}

}  // namespace

std::string FormatPerformance(const EventState& state, int32_t c, int32_t k, std::string_view digits,
                              int32_t relayFlag) {
  const DisciplineRecord* d = Discipline(state, c, k);
  if (!d) return std::string();
  if (d->type == 4 && relayFlag != 0) return ApplyMask("9", digits);
  return ApplyMask(FieldText(d->mask), digits);
}

std::string FormatEntryError(const EventState& state, int32_t i, int32_t c) {
  static const std::string kUnknown = "Interner Fehler 0x25: Unbekannter Fehlercde";
  const ErrorEntry* e = state.meldefehler ? state.meldefehler->entry(c, i) : nullptr;
  const char* text = e ? Text(e->code) : nullptr;
  if (!text) return kUnknown;

  std::string className = state.eventDef ? FieldText(state.eventDef->classes[c].name) : std::string();
  std::string name;
  std::string birthYear;
  if (state.memory) {
    if (IsTeamError(e->code)) {
      if (const TeamRecord* t = state.memory->getTeam(c, e->team)) name = FieldText(t->listName);
    } else if (const AthleteRecord* a = state.memory->getAthlete(c, e->team, e->member)) {
      name = FieldText(a->name);
      birthYear = FieldText(a->JG);
    }
  }

  char body[160];
  switch (e->code) {
    case 1:
      std::snprintf(body, sizeof body, text, birthYear.c_str());
      break;
    case 11: {
      const DisciplineRecord* d = Discipline(state, c, e->reference);
      std::snprintf(body, sizeof body, text, static_cast<long>(d ? d->maxStarters.get() : 0),
                    d ? FieldText(d->name).c_str() : "");
      break;
    }
    case 19:
    case 20: {
      // The youngest year meant is season - 11, written with two digits.
      int32_t season = state.eventDef ? state.eventDef->classes[c].season.get() : 0;
      std::snprintf(body, sizeof body, text, static_cast<int>((((season - 11) % 100) + 100) % 100));
      break;
    }
    default:
      std::snprintf(body, sizeof body, "%s", text);
  }
  return " [" + className + "] " + name + ": " + body;
}
