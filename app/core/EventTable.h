#pragma once
// The event list (the ".JTFO" files of the event-definition folder) and
// loading an event definition into the event state.
#include "app/core/EventDefinition.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct EventState;

inline constexpr int kMaxEventFiles = 50;
inline constexpr int kEventFileSize = sizeof(EventFileHeader) + sizeof(EventDefinition);  // 7,916

struct EventListEntry {
  int16_t valid = 0;       // 1
  int16_t fromHeader = 0;  // 0 for the fixed names, 1 for any other file
  int16_t kind = 0;        // 96-99 for the fixed names, else the header's event kind
  std::string levelName;  // the event block's level name of the kind
  std::string title;      // the header's title
  std::string fileName;   // name with extension
};

// Built-in tables.
extern const char* const kDefaultClassNames[13];
extern const int16_t kDefaultClassSizes[kMaxClasses][2];
extern const DisciplineRecord kDefaultDisciplines[kMaxDisciplines];  // the first class's
extern const char* const kLevelNames[6];

// Programme text shown in the event chooser for a fixed kind (96-99), or
// "B-Programm" for any other.
const char* ProgrammeText(int16_t kind);

// Restores the class-name buffers and the (athletes, disciplines) pairs to
// their defaults.
void ResetClassNames(EventState& state);

// Fills the event list from the folder TreiberDir; returns the number of entries.
int32_t ListEventFiles(EventState& state);
// Loads the event of a list entry; 1, or 0 (after a beep and the message
// "Fataler Fehler!") when the file cannot be opened or is not a valid event.
int32_t LoadEventFile(EventState& state, const EventListEntry& entry, int32_t index = 0);
// Drops the loaded event (event-loaded word 0).
void UnloadEvent(EventState& state);

// Checks a 7,916-byte event file image (header and block); true when its
// kind, counts and sizes lie within the program's limits.
bool IsValidEventImage(const EventFileHeader& header, const EventDefinition& def);
