#include "app/core/EventTable.h"

#include "app/core/EventState.h"

#include "app/core/FieldText.h"
#include "app/core/FileSystem.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"

#include <cctype>
#include <cstdio>
#include <cstring>

const char* const kDefaultClassNames[13] = {
    "",         "I Jungen",   "II Jungen",   "III Jungen",   "HS 7/8 Jungen",   "IV Jungen",   "HS 5/6 Jungen",
    "I Mädchen", "II Mädchen", "III Mädchen", "HS 7/8 Mädchen", "IV Mädchen", "HS 5/6 Mädchen"};

const int16_t kDefaultClassSizes[kMaxClasses][2] = {{13, 7}, {12, 7}, {12, 7}, {10, 7}, {12, 6}, {10, 6},
                                                     {13, 7}, {12, 7}, {12, 7}, {10, 7}, {12, 6}, {10, 6}};

const DisciplineRecord kDefaultDisciplines[kMaxDisciplines] = {
    {"100m", "99','99", 1, " 100m", 0, 2, 0},
    {"1000m", "9':'99','99", 2, " 1000m", 0, 2, 0},
    {"4x100m", "99','99", 4, "4x100m", 0, 1, 0},
    {"Hochsprung", "9','99", 8, "Hoch", 0, 2, 0},
    {"Weitsprung", "9','99", 7, "Weit", 0, 2, 0},
    {"Kugel (6.25)", "99','99", 6, "Kugel", 0, 2, 0},
    {"Speer (800g)", "99','99", 9, "Speer", 0, 2, 0},
};

const char* const kLevelNames[6] = {"Stadtentscheid", "Kreisentscheid", "Bezirksfinale",
                                    "Landesfinale",   "Bundesfinale",   "Bodenseeschulcup"};

namespace {

struct FixedName {
  const char* name;
  int16_t kind;
  bool anyEvent;  // title "beliebige Veranstaltung"
};

// In the order the names are compared.
const FixedName kFixedNames[] = {
    {"JTFO_BSC.JTFO", 96, false},
    {"BSC.JTFO", 99, false},
    {"JTFO.JTFO", 97, true},
    {"WK5BW.JTFO", 98, true},
};

bool EqualNoCase(const std::string& a, const char* b) {
  size_t n = std::strlen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string EventFilePath(const Settings& settings, const std::string& fileName) {
  return settings.treiberDir + kel::kPathSep + fileName;
}

// Reads header and event block of an event file; false when the file cannot
// be opened or is not a valid event (short, or values out of range).
bool ReadEventFile(const std::string& path, EventFileHeader& header, EventDefinition& def) {
  kel::FileSystem& fs = kel::fileSystem();
  std::FILE* f = fs.open(path, "rb");
  if (!f) return false;
  bool ok = fs.read(f, 0, &header, sizeof header) && fs.read(f, sizeof header, &def, sizeof def);
  fs.close(f);
  return ok && IsValidEventImage(header, def);
}

}  // namespace

bool IsValidEventImage(const EventFileHeader& header, const EventDefinition& def) {
  if (header.eventKind < 0 || header.eventKind >= kLevelCount) return false;
  if (def.classCount < 0 || def.classCount > kMaxClasses) return false;
  for (int c = 0; c < def.classCount; ++c) {
    const ClassRecord& cr = def.classes[c];
    if (cr.athletesPerTeam < 0 || cr.athletesPerTeam > kMaxAthletes) return false;
    if (cr.disciplineCount < 0 || cr.disciplineCount > kMaxDisciplines) return false;
    if (cr.teamPlaces < 0 || cr.teamPlaces > kMaxTeams) return false;
  }
  return true;
}

const char* ProgrammeText(int16_t kind) {
  switch (kind) {
    case 96: return "A-Programm JTFO, Bodenseecup";
    case 97: return "A-Programm (WKI,II,III,IV)";
    case 98: return "Grundschulwettbewerb BW (WK5)";
    case 99: return "Bodenseecup BW mit WK II/2";
    default: return "B-Programm";
  }
}

void ResetClassNames(EventState& state) {
  for (int i = 0; i < 13; ++i) SetFieldText(state.classNames[i], kDefaultClassNames[i]);
  for (int c = 0; c < kMaxClasses; ++c) {
    state.classSizes[c][0] = kDefaultClassSizes[c][0];
    state.classSizes[c][1] = kDefaultClassSizes[c][1];
  }
}

int32_t ListEventFiles(EventState& state) {
  state.eventList.clear();
  std::string pattern = state.settings.treiberDir + kel::kPathSep + "*.JTFO";
  for (const std::string& name : kel::platform().findFiles(pattern)) {
    if (static_cast<int>(state.eventList.size()) >= kMaxEventFiles) break;
    if (name.empty() || name[0] == '.') continue;
    EventListEntry e;
    e.valid = 1;
    e.fileName = name;
    const FixedName* fixed = nullptr;
    for (const FixedName& f : kFixedNames)
      if (EqualNoCase(name, f.name)) {
        fixed = &f;
        break;
      }
    if (fixed) {
      // A fixed event kind: the file is not opened here.
      e.fromHeader = 0;
      e.kind = fixed->kind;
      if (fixed->anyEvent) e.title = "beliebige Veranstaltung";
    } else {
      auto header = std::make_unique<EventFileHeader>();
      auto def = std::make_unique<EventDefinition>();
      // A file that cannot be read or is not a valid event is left out.
      if (!ReadEventFile(EventFilePath(state.settings, name), *header, *def)) continue;
      e.fromHeader = 1;
      e.kind = header->eventKind;
      e.levelName = FieldText(def->levelNames[header->eventKind]);
      e.title = FieldText(header->title);
    }
    state.eventList.push_back(std::move(e));
  }
  return static_cast<int32_t>(state.eventList.size());
}

int32_t LoadEventFile(EventState& state, const EventListEntry& entry, int32_t /*index*/) {
  auto header = std::make_unique<EventFileHeader>();
  auto def = std::make_unique<EventDefinition>();
  if (!ReadEventFile(EventFilePath(state.settings, entry.fileName), *header, *def)) {
    kel::platform().beep();
    kel::platform().messageBox("Fataler Fehler!", "Fataler Fehler!", kel::kMbOk | kel::kMbIconStop);
    return 0;
  }
  if (entry.kind >= 90) {
    state.eventKind = 0;
    SetFieldText(state.eventTitle, "");
  } else {
    state.eventKind = header->eventKind;
    SetFieldText(state.eventTitle, FieldText(header->title));
  }
  size_t dot = entry.fileName.find_last_of('.');
  state.eventName = std::string(1, kel::kPathSep) +
               (dot == std::string::npos ? entry.fileName : entry.fileName.substr(0, dot + 1));
  state.eventDef = std::move(def);  // frees the previous event block
  for (int c = 0; c < state.eventDef->classCount; ++c) {
    const ClassRecord& cr = state.eventDef->classes[c];
    SetFieldText(state.classNames[c + 1], FieldText(cr.name));
    state.classSizes[c][0] = cr.athletesPerTeam;
    state.classSizes[c][1] = cr.disciplineCount;
    state.classBounds[c][0] = cr.oldestYear;
    state.classBounds[c][1] = cr.youngestYear;
  }
  state.eventLoaded = 1;
  kel::platform().setMainWindowTitle("Zavrolin Leichtathletik 2011.2");
  return 1;
}

void UnloadEvent(EventState& state) {
  state.eventDef.reset();
  state.eventLoaded = 0;
  state.eventKind = 0;
  SetFieldText(state.eventTitle, "");
  state.eventName.clear();
}
