#pragma once
// The program's paths and the values of the settings file "kelvora.ini".
#include <cstdint>
#include <string>

struct EventState;

struct Settings {
  // Paths; folders have no trailing separator, the program folder has one.
  std::string programDir = "A:\\";
  std::string helpFile;
  std::string iniFile;
  std::string veranstDir;  // event data folder, [Paths] VeranstDir
  std::string transferDir;
  std::string treiberDir;  // event-definition folder, [Paths] TreiberDir
  std::string VID;         // installation identity, [Veranstaltung] VID

  // [Listen]
  int32_t leftMargin = 0;
  int32_t copyright = 3;
  std::string font = "Courier New Standard";
  int32_t x1 = 60;
  int32_t y1 = 120;
  int32_t x2 = 120;
  int32_t y2 = 120;  // read from the key Y1 as well
  // [Meldefehler]
  int32_t testStaffel = 1;
  int32_t maxStarter = 1;
  int32_t maxDis = 1;
  int32_t testJG = 1;
  int32_t protokoll = 1;
  // [Jahrgaenge]
  int32_t checkLauf = 0;
  int32_t needed = 0;
  // [Tabelle]
  int32_t bewegung = 1;
  // [Bodenseecup]
  int32_t dreikampfergebnisse = 8;  // bound D
  int32_t mittelstrecke = 4;        // bound M
};

// Sets the five paths from the program folder (which ends with a separator).
void BuildProgramPaths(Settings& settings, const std::string& programDir);
// The folder of the running program, with its trailing separator.
std::string FindProgramFolder();
// Reads [Paths] VeranstDir and TreiberDir and [Veranstaltung] VID; an empty
// VID gets a new GUID, which is written back. 1, or 0 when no GUID could be
// made or the settings file could not be written.
int32_t ReadPathSettings(Settings& settings);
// Reads the list and rule settings and writes blank data files for the
// loaded event when any of them is missing. 1, or 0 when writing failed.
int32_t LoadListSettings(EventState& state);
// LoadListSettings, then replaces the entry store with a new one.
// 1, or 0 when the data files could not be written or loaded.
int32_t ReloadSettings(EventState& state);
// Creates the folder with every missing parent; true when it exists after.
bool ForceFolder(const std::string& path);
// True when a file or folder of that path exists.
bool PathExists(const std::string& path);
