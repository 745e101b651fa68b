#include "app/core/EntryCheck.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"
#include "tests/app/core/TestSupport.h"

#include <ostream>

namespace kel::test {
namespace {

ClassRecord Cls(const char* name, int16_t modus, int16_t index, int16_t disciplines, int16_t oldest = 50,
                int16_t youngest = 50, int16_t places = 20, int16_t season = 2011) {
  ClassRecord c = MakeClass(name, season, disciplines, oldest, youngest, places);
  c.Modus = modus;
  c.Index = index;
  return c;
}

DisciplineRecord Dis(const char* name, int32_t type, int32_t most, const char* mask = "99','99") {
  return MakeDiscipline(name, mask, type, most);
}

// Disciplines of the three rule sets: relay at 2 (sprint) or 1 (shuttle).
const std::vector<DisciplineRecord> kSchool = {Dis("100m", 1, 4), Dis("1000m", 2, 4), Dis("4x100m", 4, 8),
                                               Dis("Hochsprung", 8, 4), Dis("Weitsprung", 7, 4),
                                               Dis("Kugel", 6, 4), Dis("Speer", 9, 4)};
const std::vector<DisciplineRecord> kCup = {Dis("50m", 1, 13), Dis("800m", 2, 13), Dis("4x50m", 4, 8),
                                            Dis("Hoch", 8, 13), Dis("Weit", 7, 13), Dis("Ball", 5, 13),
                                            Dis("Kugel", 6, 13)};
const std::vector<DisciplineRecord> kShuttle = {Dis("Sprint", 1, 13), Dis("Pendelstaffel", 10, 8),
                                                Dis("Weit", 7, 13), Dis("Ball", 5, 13)};

struct Member {
  const char* jg;
  uint8_t mask;
  int32_t position;  // stored as the performance of every discipline
};

struct Found {
  int32_t code, team, member, ref;
  bool operator==(const Found&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Found& f) {
  return o << "{" << f.code << "," << f.team << "," << f.member << "," << f.ref << "}";
}

struct Switches {
  int32_t testJG = 1, testStaffel = 1, maxStarter = 1, maxDis = 1, checkLauf = 0, needed = 0;
};

class EntryCheckTest : public CoreTest {
protected:
  void useClass(const ClassRecord& c, const std::vector<DisciplineRecord>& d) { UseEvent({c}, {d}); }
  void apply(const Switches& s) {
    state_.settings.testJG = s.testJG;
    state_.settings.testStaffel = s.testStaffel;
    state_.settings.maxStarter = s.maxStarter;
    state_.settings.maxDis = s.maxDis;
    state_.settings.checkLauf = s.checkLauf;
    state_.settings.needed = s.needed;
  }
  void fillTeam(int32_t t, const std::vector<Member>& members, const char* school = "Schule") {
    SetFieldText(state_.memory->getTeam(0, t)->schoolName, school);
    for (size_t m = 0; m < members.size(); ++m) {
      AthleteRecord* a = state_.memory->getAthlete(0, t, static_cast<int32_t>(m));
      SetFieldText(a->name, "Kind " + std::to_string(m));
      SetFieldText(a->JG, members[m].jg);
      a->mask = members[m].mask;
      for (LeInt32& p : a->Leistung) p = members[m].position;
    }
  }
  std::vector<Found> found() const {
    std::vector<Found> out;
    for (int32_t i = 0; i < state_.meldefehler->count(0); ++i) {
      const ErrorEntry* e = state_.meldefehler->entry(0, i);
      out.push_back({e->code, e->team, e->member, e->reference});
    }
    return out;
  }
};

TEST(JGYearTest, TwoDigitYearsBelowEightyAreInThe2000s) {
  EXPECT_EQ(JGYear(0), 2000);
  EXPECT_EQ(JGYear(79), 2079);
  EXPECT_EQ(JGYear(80), 1980);
  EXPECT_EQ(JGYear(99), 1999);
}

TEST_F(EntryCheckTest, RollOverMovesBoundsModuloHundred) {
  ClassRecord a = Cls("A", 0, 1, 7, 95, 5, 20, 2010);
  ClassRecord b = Cls("B", 0, 1, 7, 99, 50, 20, 2010);
  ClassRecord c = Cls("C", 0, 1, 7, 10, 20, 20, 2012);  // an older season: bounds go back
  UseEvent({a, b, c}, {kSchool, kSchool, kSchool});
  RollBirthYears(state_.eventDef.get(), 2011);
  const ClassRecord* r = state_.eventDef->classes;
  EXPECT_EQ(r[0].oldestYear, 96);
  EXPECT_EQ(r[0].youngestYear, 6);
  EXPECT_EQ(r[1].oldestYear, 0);
  EXPECT_EQ(r[1].youngestYear, 50);
  EXPECT_EQ(r[2].oldestYear, 9);
  EXPECT_EQ(r[2].youngestYear, 19);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(r[i].season, 2011);
}

TEST_F(EntryCheckTest, RollOverTakesTheSeasonFromToday) {
  struct { CalendarDate today; int16_t season; } cases[] = {
      {{2011, 10, 31}, 2011}, {{2011, 11, 15}, 2012}, {{2011, 12, 31}, 2012}, {{2012, 1, 1}, 2012}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.today.month);
    state_.memory.reset();
    UseEvent({Cls("A", 0, 1, 7, 95, 98, 20, 2010)}, {kSchool});
    platform_.date = k.today;
    RollBirthYears(state_.eventDef.get(), -1);
    EXPECT_EQ(state_.eventDef->classes[0].season, k.season);
    EXPECT_EQ(state_.eventDef->classes[0].oldestYear, 95 + k.season - 2010);
  }
}

TEST_F(EntryCheckTest, ABoundRolledOntoFiftyStaysABound) {
  useClass(Cls("A", 0, 1, 7, 49, 50, 20, 2010), kSchool);
  RollBirthYears(state_.eventDef.get(), 2011);
  ASSERT_EQ(state_.eventDef->classes[0].oldestYear, 50);
  fillTeam(0, {{"49", 0, 0}, {"50", 0, 0}});
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 1);
  EXPECT_EQ(found(), (std::vector<Found>{{1, 0, 0, -1}}));
}

struct Scenario {
  const char* name;
  ClassRecord cls;
  const std::vector<DisciplineRecord>* disciplines;
  Switches switches;
  std::vector<Member> members;
  std::vector<Found> expected;
  int32_t place = 0;
};

// Cup classes: nine athletes with sprint, a jump and a throw, three of them
// also in the middle distance: no error with D = 8 and M = 4.
std::vector<Member> CupTeam(int n = 9, uint8_t also0 = 0, uint8_t also1 = 0) {
  std::vector<Member> out;
  for (int m = 0; m < n; ++m) {
    uint8_t mask = 0b0101001 | (m < 3 ? 0b10 : 0);
    if (m == 0) mask |= also0;
    if (m == 1) mask |= also1;
    out.push_back({"98", mask, 0});
  }
  return out;
}

std::vector<Member> With(std::vector<Member> v, size_t m, Member x) {
  if (m >= v.size()) v.resize(m + 1, {"98", 0, 0});
  v[m] = x;
  return v;
}

std::vector<Member> Relay(std::initializer_list<int32_t> positions, uint8_t mask) {
  std::vector<Member> out;
  for (int32_t p : positions) out.push_back({"96", mask, p});
  return out;
}

const Switches kDefault;
const Switches kNeeded{1, 1, 1, 1, 0, 1};
const Switches kRunning{1, 0, 1, 1, 1, 0};
const Switches kYoungCup{1, 1, 1, 1, 1, 0};

const ClassRecord kMode0 = Cls("III Jungen", 0, 3, 7, 95, 98);
const ClassRecord kMode0Open = Cls("III Jungen", 0, 3, 7);
const ClassRecord kCup3 = Cls("III Jungen", 2, 3, 7);
const ClassRecord kCup5 = Cls("IV Jungen", 3, 5, 7);
const ClassRecord kShuttleCls = Cls("WK V", 4, 1, 4, 50, 50, 10);

const Scenario kScenarios[] = {
    {"birth years outside the bounds", kMode0, &kSchool, kDefault,
     {{"94", 0, 0}, {"95", 0, 0}, {"98", 0, 0}, {"99", 0, 0}, {"79", 0, 0}, {"80", 0, 0}},
     {{1, 0, 0, -1}, {1, 0, 3, -1}, {1, 0, 4, -1}, {1, 0, 5, -1}}},
    {"missing birth year, required", kMode0, &kSchool, kNeeded, {{"", 0, 0}, {"96", 0, 0}}, {{22, 0, 0, -1}}},
    {"missing birth year, not required", kMode0, &kSchool, kDefault, {{"", 0, 0}}, {}},
    {"young athlete in three runs", kMode0Open, &kSchool, kRunning,
     {{"00", 0b111, 1}, {"99", 0b111, 1}, {"0x", 0b111, 1}}, {{20, 0, 0, -1}}},
    {"too many disciplines", kMode0, &kSchool, kDefault, {{"96", 0b1111011, 0}, {"96", 0b1011, 0}},
     {{5, 0, 0, -1}}},
    {"complete relay 1-4", kMode0, &kSchool, kDefault, Relay({1, 2, 3, 4}, 0b100), {}},
    {"complete relay 5-8", kMode0, &kSchool, kDefault, Relay({5, 6, 7, 8}, 0b100), {}},
    {"complete relay 1-8", kMode0, &kSchool, kDefault, Relay({1, 2, 3, 4, 5, 6, 7, 8}, 0b100), {}},
    {"incomplete relay", kMode0, &kSchool, kDefault, Relay({1, 2, 3}, 0b100), {{6, 0, -1, -1}}},
    {"relay 1-5", kMode0, &kSchool, kDefault, Relay({1, 2, 3, 4, 5}, 0b100), {{6, 0, -1, -1}}},
    {"two on one position", kMode0, &kSchool, kDefault, Relay({1, 2, 2, 3, 4}, 0b100), {{3, 0, 2, 2}}},
    {"positions 0, negative and 9", kMode0, &kSchool, kDefault, Relay({0, -1, 9, 1, 2, 3, 4}, 0b100),
     {{2, 0, 0, 2}, {2, 0, 1, 2}, {3, 0, 2, 2}}},
    {"relay tests off", kMode0, &kSchool, {1, 0, 1, 1, 0, 0}, Relay({0, 2, 2}, 0b100), {}},
    {"too many starters", kMode0, &kSchool, kDefault, Relay({0, 0, 0, 0, 0}, 0b1), {{11, 0, -1, 0}}},
    {"starter limit off", kMode0, &kSchool, {1, 1, 0, 1, 0, 0}, Relay({0, 0, 0, 0, 0}, 0b1), {}},
    {"cup team without fault", kCup3, &kCup, kDefault, CupTeam(), {}},
    {"cup relay is no discipline", kCup3, &kCup, kDefault,
     With(With(With(With(CupTeam(), 0, {"98", 0b0101111, 1}), 1, {"98", 0b0101111, 2}), 2, {"98", 0b0101111, 3}),
          3, {"98", 0b0101101, 4}),
     {}},
    {"both jumps", kCup3, &kCup, kDefault, CupTeam(9, 0b10000), {{13, 0, 0, -1}}},
    {"every alternative", kCup3, &kCup, kDefault, CupTeam(9, 0b1010000),
     {{13, 0, 0, -1}, {14, 0, 0, -1}, {5, 0, 0, -1}}},
    {"two disciplines only", kCup3, &kCup, kDefault, With(CupTeam(), 9, {"98", 0b1001, 0}), {{18, 0, 9, -1}}},
    {"no sprint", kCup3, &kCup, kDefault, With(CupTeam(), 9, {"98", 0b0101010, 0}),
     {{18, 0, 9, -1}}},
    {"too few for sprint, jumps and throws", kCup3, &kCup, kDefault, CupTeam(7),
     {{7, 0, -1, -1}, {8, 0, -1, -1}, {9, 0, -1, -1}}},
    {"too many in middle distance", kCup3, &kCup, kDefault,
     With(With(CupTeam(), 3, {"98", 0b0101011, 0}), 4, {"98", 0b0101011, 0}), {{21, 0, -1, 7}}},
    {"too few in middle distance", kCup3, &kCup, kDefault, With(CupTeam(), 2, {"98", 0b0101001, 0}),
     {{17, 0, -1, 7}}},
    {"young athlete in middle distance", kCup3, &kCup, kYoungCup, With(CupTeam(), 0, {"00", 0b0101011, 0}),
     {{19, 0, 0, -1}}},
    {"index 5 without ball", kCup5, &kCup, kDefault,
     [] {
       std::vector<Member> v = CupTeam();
       for (Member& m : v) m.mask = static_cast<uint8_t>((m.mask & ~0b100000) | 0b1000000);
       v[0].mask |= 0b100000;  // ball and shot together: no fault under index 5
       return v;
     }(),
     {{10, 0, -1, -1}}},
    {"index 5 jumps over ten", kCup5, &kCup, kDefault, CupTeam(9, 0b10000, 0b10000),
     {{13, 0, 0, -1}, {13, 0, 1, -1}, {8, 0, -1, -1}}},
    {"shuttle relay complete", kShuttleCls, &kShuttle, kDefault, Relay({1, 2, 3, 4, 5, 6, 7, 8}, 0b1111), {}},
    {"shuttle athlete without three events", kShuttleCls, &kShuttle, kDefault,
     With(Relay({1, 2, 3, 4, 5, 6, 7}, 0b1111), 7, {"96", 0b0111, 8}), {{18, 0, 7, -1}}},
    {"shuttle relay of seven", kShuttleCls, &kShuttle, kDefault, Relay({1, 2, 3, 4, 5, 6, 7}, 0b1111),
     {{6, 0, -1, -1}}},
    {"shuttle position twice", kShuttleCls, &kShuttle, kDefault, Relay({1, 2, 3, 4, 5, 6, 7, 7}, 0b1111),
     {{3, 0, 7, 1}, {6, 0, -1, -1}}},
    {"shuttle position 0", kShuttleCls, &kShuttle, kDefault, Relay({0, 2, 3, 4, 5, 6, 7, 8}, 0b1111),
     {{2, 0, 0, 1}, {6, 0, -1, -1}}},
    {"shuttle team beyond the places", kShuttleCls, &kShuttle, kDefault, Relay({1, 2, 3}, 0b0011), {}, 10},
    {"every test switched off", kMode0, &kSchool, {0, 0, 0, 0, 1, 1},
     {{"90", 0b1111111, 0}, {"", 0b1111111, 0}, {"90", 0b1111111, 0}, {"90", 0b1111111, 0},
      {"90", 0b1111111, 0}},
     {}},
};

TEST_F(EntryCheckTest, Scenarios) {
  for (const Scenario& s : kScenarios) {
    SCOPED_TRACE(s.name);
    state_.memory.reset();
    useClass(s.cls, *s.disciplines);
    apply(s.switches);
    fillTeam(s.place, s.members);
    EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), s.expected.empty() ? 0 : 1);
    EXPECT_EQ(found(), s.expected);
  }
}

TEST_F(EntryCheckTest, TeamsWithoutNameOrNamedAthleteAreSkipped) {
  useClass(kMode0, kSchool);
  fillTeam(0, {{"80", 0, 0}}, "");  // no school name
  fillTeam(1, {{"80", 0, 0}});
  SetFieldText(state_.memory->getAthlete(0, 1, 0)->name, "");  // no named athlete
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 0);
  EXPECT_TRUE(found().empty());
}

TEST_F(EntryCheckTest, AthletesBeyondTheTeamSizeAreNotChecked) {
  ClassRecord c = kMode0;
  c.athletesPerTeam = 2;
  useClass(c, kSchool);
  fillTeam(0, {{"96", 0, 0}, {"96", 0, 0}, {"80", 0, 0}});
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 0);
}

TEST_F(EntryCheckTest, AClassKeepsAtMostFortyNineErrors) {
  useClass(kMode0, kSchool);
  std::vector<Member> wrong(13, {"80", 0, 0});
  for (int32_t t = 0; t < 20; ++t) fillTeam(t, wrong);
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 1);
  EXPECT_EQ(state_.meldefehler->count(0), 49);
  EXPECT_EQ(state_.meldefehler->countFlagged(0), 49);
  EXPECT_EQ(state_.meldefehler->countUnflagged(0), 0);
  EXPECT_EQ(state_.meldefehler->entry(0, 49)->code, 0);
  EXPECT_EQ(state_.meldefehler->entry(0, 48)->team, 3);

  // A new check replaces the class's entries.
  for (int32_t t = 0; t < 20; ++t) fillTeam(t, std::vector<Member>(13, {"96", 0, 0}));
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 0);
  EXPECT_EQ(state_.meldefehler->count(0), 0);
}

TEST_F(EntryCheckTest, NothingIsCheckedWithoutALoadedEvent) {
  useClass(kMode0, kSchool);
  fillTeam(0, {{"80", 0, 0}});
  state_.eventLoaded = 0;
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 0);
  EXPECT_EQ(state_.meldefehler->count(0), 0);
  state_.eventLoaded = 1;
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 1), 0);  // no such class
  EXPECT_EQ(CheckClass(state_, nullptr, 0), 0);
}

TEST_F(EntryCheckTest, AClassOutsideTheEventKeepsNoEntriesOfAnEarlierCheck) {
  useClass(kMode0, kSchool);
  // Entries left from an event that had more classes, or a store that is gone.
  for (int32_t c : {1, 11}) state_.meldefehler->add(c, 5, 0, 0, -1);
  state_.meldefehler->add(0, 5, 0, 0, -1);
  EXPECT_EQ(CheckClassEntries(state_, state_.memory.get(), 1), 0);
  EXPECT_EQ(CheckClassEntries(state_, state_.memory.get(), 11), 0);
  EXPECT_EQ(CheckClassEntries(state_, nullptr, 0), 0);
  for (int32_t c : {0, 1, 11}) EXPECT_EQ(state_.meldefehler->count(c), 0) << c;
}

// The generated profiles carry their rule sets at the offsets the loader reads.
TEST_F(EntryCheckTest, FixtureProfilesCarryTheirRules) {
  ASSERT_TRUE(LoadFixtureEvent("B/treiber/CUP2010.JTFO"));
  const int16_t modusIndex[][2] = {{2, 3}, {3, 5}, {2, 9}, {3, 11}};
  ASSERT_EQ(state_.eventDef->classCount, 4);
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(state_.eventDef->classes[c].Modus, modusIndex[c][0]);
    EXPECT_EQ(state_.eventDef->classes[c].Index, modusIndex[c][1]);
  }
  EXPECT_EQ(state_.eventDef->disciplines[3][1].type, 2);
  EXPECT_EQ(state_.eventDef->disciplines[3][2].type, 4);
  EXPECT_EQ(state_.eventKind, 5);

  ASSERT_TRUE(LoadFixtureEvent("C/treiber/PENDEL.JTFO"));
  const ClassRecord& c = state_.eventDef->classes[0];
  EXPECT_EQ(c.Modus, 4);
  EXPECT_EQ(c.teamPlaces, 10);
  EXPECT_EQ(c.disciplineCount, 4);
  EXPECT_EQ(state_.eventDef->disciplines[0][1].type, 10);
  EXPECT_EQ(state_.eventDef->disciplines[0][1].maxStarters, 8);
  RollBirthYears(state_.eventDef.get(), 2011);
  EXPECT_EQ(c.oldestYear, 1);
  EXPECT_EQ(c.youngestYear, 4);

  // A store over blank files: one athlete born too early, without the three events.
  ASSERT_EQ(CreateBlankDataFiles(state_), 1);
  state_.memory = std::make_unique<Memory>(state_);
  ASSERT_TRUE(state_.memory->isReady());
  SetFieldText(state_.memory->getTeam(0, 2)->schoolName, "Grundschule");
  AthleteRecord* a = state_.memory->getAthlete(0, 2, 4);
  SetFieldText(a->name, "Mia");
  SetFieldText(a->JG, "00");
  a->mask = 0b0011;
  a->Leistung[1] = 1;
  EXPECT_EQ(CheckClass(state_, state_.memory.get(), 0), 1);
  EXPECT_EQ(found(), (std::vector<Found>{{1, 2, 4, -1}, {18, 2, 4, -1}, {6, 2, -1, -1}}));
}

TEST(MeldefehlerTest, ClearingKeepsTheUsedFlagAndOtherClasses) {
  Meldefehler list;
  list.add(0, 5, 1, 2, 3);
  list.add(1, 6, 0, -1, -1);
  list.clearClass(0);
  EXPECT_EQ(list.count(0), 0);
  EXPECT_EQ(list.entry(0, 0)->used, 1);
  EXPECT_EQ(list.entry(0, 0)->code, 0);
  EXPECT_EQ(list.count(1), 1);
  list.clearAll();
  EXPECT_EQ(list.count(1), 0);
  list.add(12, 1, 0, 0, 0);  // no such class: ignored
  EXPECT_EQ(list.entry(12, 0), nullptr);
}

}  // namespace
}  // namespace kel::test
