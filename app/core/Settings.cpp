#include "app/core/Settings.h"

#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Platform.h"

Settings gSettings;
std::string gDistrictPreset;

namespace {

std::string ReadString(const char* section, const char* key, const std::string& def) {
  return kel::platform().getProfileString(section, key, def, gSettings.iniFile);
}

int32_t ReadInt(const char* section, const char* key, int32_t def) {
  return kel::platform().getProfileInt(section, key, def, gSettings.iniFile);
}

// A value that feeds arithmetic (positions, font sizes, counts): outside the
// range the program can use it takes its default.
int32_t ReadBounded(const char* section, const char* key, int32_t def, int32_t lo, int32_t hi) {
  const int32_t v = ReadInt(section, key, def);
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

void BuildProgramPaths(const std::string& programDir) {
  gSettings.programDir = programDir;
  gSettings.helpFile = programDir + "kelvora.chm";
  gSettings.iniFile = programDir + "kelvora.ini";
  gSettings.veranstDir = programDir + "veranst";
  gSettings.transferDir = programDir + "transfer";
  gSettings.treiberDir = programDir + "treiber";
}

int32_t ReadPathSettings() {
  gSettings.veranstDir = ReadString("Paths", "VeranstDir", gSettings.veranstDir);
  gSettings.treiberDir = ReadString("Paths", "TreiberDir", gSettings.treiberDir);
  gSettings.VID = ReadString("Veranstaltung", "VID", "");
  if (!gSettings.VID.empty()) return 1;
  gSettings.VID = kel::platform().createGuidString();
  if (gSettings.VID.empty()) return 0;
  return kel::platform().writeProfileString("Veranstaltung", "VID", gSettings.VID, gSettings.iniFile) ? 1 : 0;
}

int32_t LoadListSettings() {
  Settings& s = gSettings;
  s.leftMargin = ReadBounded("Listen", "LeftMargin", 0, 0, kMaxPageUnits);
  s.copyright = ReadBounded("Listen", "Copyright", 3, 0, kMaxPageUnits);
  s.font = ReadString("Listen", "Font", "Courier New Standard").substr(0, 38);
  s.x1 = ReadBounded("Listen", "X1", 60, 0, kMaxFontTenths);
  s.y1 = ReadBounded("Listen", "Y1", 120, 1, kMaxFontTenths);
  s.x2 = ReadBounded("Listen", "X2", 120, 0, kMaxFontTenths);
  s.y2 = ReadBounded("Listen", "Y1", 120, 1, kMaxFontTenths);
  // Switches: compared with 1 (or tested for not 0), any value is safe.
  s.testStaffel = ReadInt("Meldefehler", "TestStaffel", 1);
  s.maxStarter = ReadInt("Meldefehler", "MaxStarter", 1);
  s.maxDis = ReadInt("Meldefehler", "MaxDis", 1);
  s.testJG = ReadInt("Meldefehler", "TestJG", 1);
  s.protokoll = ReadInt("Meldefehler", "Protokoll", 1);
  s.checkLauf = ReadInt("Jahrgaenge", "CheckLauf", 0);
  s.needed = ReadInt("Jahrgaenge", "Needed", 0);
  s.bewegung = ReadBounded("Tabelle", "Bewegung", 1, 1, 2);
  // Bounds on the starters of a team: at most 13 athletes start.
  s.dreikampfergebnisse = ReadBounded("Bodenseecup", "Dreikampfergebnisse", 8, 0, kMaxAthletes);
  s.mittelstrecke = ReadBounded("Bodenseecup", "Mittelstrecke", 4, 0, kMaxAthletes);
  bool missing = false;
  for (const char* ext : {"SDA", "MDA", "STF"})
    if (!PathExists(DataFilePath(ext))) missing = true;
  return missing ? CreateBlankDataFiles() : 1;
}

int32_t ReloadSettings() {
  int32_t ok = LoadListSettings();
  gMemory.reset();
  gMemory = std::make_unique<Memory>();
  return ok && gMemory->isReady() ? 1 : 0;
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
