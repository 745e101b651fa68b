#include "app/core/Settings.h"

#include "app/core/EventState.h"
#include "app/core/Memory.h"
#include "app/core/Platform.h"

namespace {

std::string ReadString(const Settings& s, const char* section, const char* key, const std::string& def) {
  return kel::platform().getProfileString(section, key, def, s.iniFile);
}

int32_t ReadInt(const Settings& s, const char* section, const char* key, int32_t def) {
  return kel::platform().getProfileInt(section, key, def, s.iniFile);
}

// A value that feeds arithmetic (positions, font sizes, counts): outside the
// range the program can use it takes its default.
int32_t ReadBounded(const Settings& s, const char* section, const char* key, int32_t def, int32_t lo, int32_t hi) {
  const int32_t v = ReadInt(s, section, key, def);
  return v < lo || v > hi ? def : v;
}

// Font widths and heights in tenths of a point; up to 72 points.
constexpr int32_t kMaxFontTenths = 720;
// Left margin and footer lines in text characters and lines of a page.
constexpr int32_t kMaxPageUnits = 60;

}  // namespace

std::string FindProgramFolder() {
  std::string exe = kel::platform().moduleFileName();
  size_t sep = exe.find_last_of(kel::kPathSep);
  if (sep == std::string::npos) return "A:\\";
  return exe.substr(0, sep + 1);
}

void BuildProgramPaths(Settings& settings, const std::string& programDir) {
  settings.programDir = programDir;
  settings.helpFile = programDir + "kelvora.chm";
  settings.iniFile = programDir + "kelvora.ini";
  settings.veranstDir = programDir + "veranst";
  settings.transferDir = programDir + "transfer";
  settings.treiberDir = programDir + "treiber";
}

int32_t ReadPathSettings(Settings& settings) {
  settings.veranstDir = ReadString(settings, "Paths", "VeranstDir", settings.veranstDir);
  settings.treiberDir = ReadString(settings, "Paths", "TreiberDir", settings.treiberDir);
  settings.VID = ReadString(settings, "Veranstaltung", "VID", "");
  if (!settings.VID.empty()) return 1;
  settings.VID = kel::platform().createGuidString();
  if (settings.VID.empty()) return 0;
  return kel::platform().writeProfileString("Veranstaltung", "VID", settings.VID, settings.iniFile) ? 1 : 0;
}

int32_t LoadListSettings(EventState& state) {
  Settings& s = state.settings;
  s.leftMargin = ReadBounded(s, "Listen", "LeftMargin", 0, 0, kMaxPageUnits);
  s.copyright = ReadBounded(s, "Listen", "Copyright", 3, 0, kMaxPageUnits);
  s.font = ReadString(s, "Listen", "Font", "Courier New Standard").substr(0, 38);
  s.x1 = ReadBounded(s, "Listen", "X1", 60, 0, kMaxFontTenths);
  s.y1 = ReadBounded(s, "Listen", "Y1", 120, 1, kMaxFontTenths);
  s.x2 = ReadBounded(s, "Listen", "X2", 120, 0, kMaxFontTenths);
  s.y2 = ReadBounded(s, "Listen", "Y1", 120, 1, kMaxFontTenths);
  // Switches: compared with 1 (or tested for not 0), any value is safe.
  s.testStaffel = ReadInt(s, "Meldefehler", "TestStaffel", 1);
  s.maxStarter = ReadInt(s, "Meldefehler", "MaxStarter", 1);
  s.maxDis = ReadInt(s, "Meldefehler", "MaxDis", 1);
  s.testJG = ReadInt(s, "Meldefehler", "TestJG", 1);
  s.protokoll = ReadInt(s, "Meldefehler", "Protokoll", 1);
  s.checkLauf = ReadInt(s, "Jahrgaenge", "CheckLauf", 0);
  s.needed = ReadInt(s, "Jahrgaenge", "Needed", 0);
  s.bewegung = ReadBounded(s, "Tabelle", "Bewegung", 1, 1, 2);
  // Bounds on the starters of a team: at most 13 athletes start.
  s.dreikampfergebnisse = ReadBounded(s, "Bodenseecup", "Dreikampfergebnisse", 8, 0, kMaxAthletes);
  s.mittelstrecke = ReadBounded(s, "Bodenseecup", "Mittelstrecke", 4, 0, kMaxAthletes);
  bool missing = false;
  for (const char* ext : {"SDA", "MDA", "STF"})
    if (!PathExists(DataFilePath(state, ext))) missing = true;
  return missing ? CreateBlankDataFiles(state) : 1;
}

int32_t ReloadSettings(EventState& state) {
  int32_t ok = LoadListSettings(state);
  state.memory.reset();
  state.memory = std::make_unique<Memory>(state);
  return ok && state.memory->isReady() ? 1 : 0;
}

bool ForceFolder(const std::string& path) {
  if (path.empty()) return false;
  kel::Platform& p = kel::platform();
  if (p.pathExists(path)) return true;
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
  size_t sep = trimmed.find_last_of("\\/");
  if (sep != std::string::npos && sep > 0) {
    std::string parent = trimmed.substr(0, sep);
    // A drive root ("C:") or the file-system root needs no creating.
    if (!(parent.size() == 2 && parent[1] == ':') && !ForceFolder(parent)) return false;
  }
  return p.createFolder(trimmed);
}

bool PathExists(const std::string& path) { return kel::platform().pathExists(path); }
