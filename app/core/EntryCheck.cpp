#include "app/core/EntryCheck.h"

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"

#include <cctype>

namespace {

constexpr int16_t kNoBound = 50;
constexpr uint32_t kPositions1to4 = 0x1Eu;
constexpr uint32_t kPositions5to8 = 0x1E0u;
constexpr uint32_t kPositions1to8 = 0x1FEu;

int32_t ClampCount(int32_t n, int32_t max) { return n < 0 ? 0 : n > max ? max : n; }

int32_t Mod100(int32_t v) { return ((v % 100) + 100) % 100; }

// Leading digits of a birth-year text (0 when there are none).
int32_t LeadingNumber(const std::string& s) {
  int32_t n = 0;
  for (size_t i = 0; i < s.size() && i < 3 && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
    n = n * 10 + (s[i] - '0');
  return n;
}

bool IsNumeric(const std::string& s) {
  if (s.empty()) return false;
  for (char ch : s)
    if (!std::isdigit(static_cast<unsigned char>(ch))) return false;
  return true;
}

bool Named(const AthleteRecord* a) { return a && FieldLength(a->name) > 0; }

bool HasNamedAthlete(const Memory& store, int32_t c, int32_t t, int32_t n) {
  for (int32_t m = 0; m < n; ++m)
    if (Named(store.getAthlete(c, t, m))) return true;
  return false;
}

struct Tallies {
  bool relayUsed[kMaxDisciplines] = {};
  uint32_t positions[kMaxDisciplines] = {};
  int32_t starters[kMaxDisciplines] = {};
};

// The relay-position tests of one athlete in relay k.
void CheckRelayPosition(Meldefehler& list, int32_t c, int32_t t, int32_t m, int32_t k, int32_t p,
                        Tallies& tally) {
  tally.relayUsed[k] = true;
  if (p <= 0) {
    list.add(c, 2, t, m, k);
  } else if (p > 8) {
    list.add(c, 3, t, m, k);
  } else if (tally.positions[k] & (1u << p)) {
    list.add(c, 3, t, m, k);
  } else {
    tally.positions[k] |= 1u << p;
  }
}

bool Bit(uint8_t mask, int k) { return (mask >> k) & 1u; }

void CheckTeam(const EventState& state, const Memory& store, Meldefehler& list, const EventDefinition& def, int32_t c,
               int32_t t) {
  const Settings& s = state.settings;
  const ClassRecord& cr = def.classes[c];
  const int32_t N = ClampCount(cr.athletesPerTeam, kMaxAthletes);
  const int32_t K = ClampCount(cr.disciplineCount, kMaxDisciplines);
  const int32_t modus = cr.Modus;
  const int32_t index = cr.Index;
  const bool mode23 = modus == 2 || modus == 3;
  const int32_t R = cr.season;
  Tallies tally;

  for (int32_t m = 0; m < N; ++m) {
    const AthleteRecord* a = store.getAthlete(c, t, m);
    if (!Named(a)) continue;
    int32_t count = 0;

    if (s.testJG == 1) {
      std::string jg = FieldText(a->JG);
      if (!jg.empty()) {
        int32_t Y = JGYear(LeadingNumber(jg));
        // Whether a bound is set is decided by the event file's value.
        if (state.classBounds[c][0] != kNoBound && Y < JGYear(cr.oldestYear)) list.add(c, 1, t, m, -1);
        if (state.classBounds[c][1] != kNoBound && Y > JGYear(cr.youngestYear)) list.add(c, 1, t, m, -1);
        if ((modus == 0 || mode23) && s.checkLauf >= 1 && IsNumeric(jg) && R - Y < 12) {
          if (modus == 0 && Bit(a->mask, 0) && Bit(a->mask, 1) && Bit(a->mask, 2)) list.add(c, 20, t, m, -1);
          if (mode23 && Bit(a->mask, 1)) list.add(c, 19, t, m, -1);
        }
      } else if (s.needed != 0) {
        list.add(c, 22, t, m, -1);
      }
    }
    if (modus == 4) continue;

    if (s.maxDis == 1 && mode23) {
      if (index == 3 || index == 9) {
        if (Bit(a->mask, 3) && Bit(a->mask, 4)) list.add(c, 13, t, m, -1);
        if (Bit(a->mask, 5) && Bit(a->mask, 6)) list.add(c, 14, t, m, -1);
      } else if (index == 5 || index == 11) {
        if (Bit(a->mask, 3) && Bit(a->mask, 4)) list.add(c, 13, t, m, -1);
      }
    }
    for (int32_t k = 0; k < K; ++k) {
      if (!Bit(a->mask, k)) continue;
      int32_t type = def.disciplines[c][k].type;
      if (s.testStaffel == 1 && type == 4) CheckRelayPosition(list, c, t, m, k, a->Leistung[k], tally);
      if (s.maxDis == 1) {
        bool alternative = index == 3 || index == 5 || index == 9 || index == 11;
        if (!(mode23 && alternative && (type == 4 || type == 10))) ++count;
      }
      if (s.maxStarter == 1) ++tally.starters[k];
    }
    if (s.maxDis == 1) {
      if (mode23) {
        if (count == 1 || count == 2 || !Bit(a->mask, 0)) list.add(c, 18, t, m, -1);
        if (count > 5) list.add(c, 5, t, m, -1);
      } else if (count > 3) {
        list.add(c, 5, t, m, -1);
      }
    }
  }

  if (s.testStaffel == 1) {
    for (int32_t k = 0; k < K; ++k) {
      uint32_t p = tally.positions[k];
      if (tally.relayUsed[k] && p != kPositions1to4 && p != kPositions5to8 && p != kPositions1to8)
        list.add(c, 6, t, -1, -1);
    }
  }
  if (s.maxStarter == 1) {
    const int32_t* S = tally.starters;
    if (!mode23) {
      for (int32_t k = 0; k < K; ++k)
        if (def.disciplines[c][k].type != 4 && S[k] > def.disciplines[c][k].maxStarters)
          list.add(c, 11, t, -1, k);
    } else {
      const int32_t D = s.dreikampfergebnisse;
      const int32_t M = s.mittelstrecke;
      if (index == 3 || index == 9) {
        if (S[0] < D || S[0] >= 11) list.add(c, 7, t, -1, -1);
        if (S[3] + S[4] < D || S[3] + S[4] >= 11) list.add(c, 8, t, -1, -1);
        if (S[5] + S[6] < D || S[5] + S[6] >= 11) list.add(c, 9, t, -1, -1);
      } else if (index == 5 || index == 11) {
        if (S[0] < D || S[0] >= 11) list.add(c, 7, t, -1, -1);
        if (S[3] + S[4] < D || S[3] + S[4] > 10) list.add(c, 8, t, -1, -1);
        if (S[5] < D || S[5] >= 11) list.add(c, 10, t, -1, -1);
      }
      if (S[1] > M) list.add(c, 21, t, -1, K);
      if (S[1] < M - 1) list.add(c, 17, t, -1, K);
    }
  }
}

// The relay-team check of classes of Modus 4.
void CheckRelayTeams(const Settings& s, const Memory& store, Meldefehler& list, const EventDefinition& def, int32_t c) {
  const ClassRecord& cr = def.classes[c];
  const int32_t N = ClampCount(cr.athletesPerTeam, kMaxAthletes);
  const int32_t K = ClampCount(cr.disciplineCount, kMaxDisciplines);
  for (int32_t t = 0; t < cr.teamPlaces && t < kMaxTeams; ++t) {
    const TeamRecord* team = store.getTeam(c, t);
    if (!team || FieldLength(team->schoolName) == 0 || !HasNamedAthlete(store, c, t, N)) continue;
    Tallies tally;
    for (int32_t m = 0; m < N; ++m) {
      const AthleteRecord* a = store.getAthlete(c, t, m);
      if (!Named(a)) continue;
      if (s.maxDis == 1 && !(Bit(a->mask, 0) && Bit(a->mask, 2) && Bit(a->mask, 3)))
        list.add(c, 18, t, m, -1);
      for (int32_t k = 0; k < K; ++k)
        if (Bit(a->mask, k) && s.testStaffel == 1 && def.disciplines[c][k].type == 10)
          CheckRelayPosition(list, c, t, m, k, a->Leistung[k], tally);
    }
    if (s.testStaffel == 1)
      for (int32_t k = 0; k < K; ++k)
        if (tally.relayUsed[k] && tally.positions[k] != kPositions1to8) list.add(c, 6, t, -1, -1);
  }
}

}  // namespace

int32_t JGYear(int32_t y) { return y < 80 ? 2000 + y : 1900 + y; }

void RollBirthYears(EventDefinition* def, int32_t season) {
  if (!def) return;
  if (season < 0) {
    kel::CalendarDate d = kel::platform().today();
    season = d.year + (d.month >= 11 ? 1 : 0);
  }
  for (int32_t c = 0; c < def->classCount && c < kMaxClasses; ++c) {
    ClassRecord& cr = def->classes[c];
    int32_t shift = season - cr.season;
    for (LeInt16* b : {&cr.oldestYear, &cr.youngestYear})
      if (*b != kNoBound) *b = static_cast<int16_t>(Mod100(*b + shift));
    cr.season = static_cast<int16_t>(season);
  }
}

int32_t CheckClass(EventState& state, Memory* store, int32_t c) {
  if (!state.eventLoaded) return 0;
  return CheckClassEntries(state, store, c);
}

int32_t CheckClassEntries(EventState& state, Memory* store, int32_t c) {
  if (!state.meldefehler) return 0;
  Meldefehler& list = *state.meldefehler;
  // A class is cleared before anything else: a class the event does not
  // have keeps no entries of an earlier check.
  list.clearClass(c);
  if (!store || !state.eventDef || c < 0 || c >= state.eventDef->classCount || c >= kMaxClasses) return 0;
  const EventDefinition& def = *state.eventDef;
  const ClassRecord& cr = def.classes[c];
  for (int32_t t = 0; t < kMaxTeams; ++t) {
    const TeamRecord* team = store->getTeam(c, t);
    if (!team || FieldLength(team->schoolName) == 0 || !HasNamedAthlete(*store, c, t, ClampCount(cr.athletesPerTeam, kMaxAthletes)))
      continue;
    CheckTeam(state, *store, list, def, c, t);
  }
  if (cr.Modus == 4) CheckRelayTeams(state.settings, *store, list, def, c);
  return list.count(c) > 0 ? 1 : 0;
}
