#pragma once
// The event list (the ".JTFO" files of the event-definition folder) and the
// loaded event definition with the values taken from it.
#include "app/core/EventDefinition.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// The event list, filled by ListEventFiles.
extern std::vector<EventListEntry> gEventList;

// The loaded event (null until an event is loaded).
extern std::unique_ptr<EventDefinition> gEventDef;
extern int16_t gEventKind;
extern char gEventTitle[100];
// A separator and the file name up to and including its last point; the
// data files and the log file append their extension.
extern std::string gEventName;
extern int32_t gEventLoaded;
// Buffer 0 empty, buffer c+1 the name of class c.
extern char gClassNames[13][30];
// The display name of class c as the class chooser lists it: its buffer above.
extern char* const gClassDisplayNames[kMaxClasses];
// Per class (athletes per team, discipline count) and (oldest, youngest year).
extern int16_t gClassSizes[kMaxClasses][2];
extern int16_t gClassBounds[kMaxClasses][2];

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
void ResetClassNames();

// Fills gEventList from the folder TreiberDir; returns the number of entries.
int32_t ListEventFiles();
// Loads the event of a list entry; 1, or 0 (after a beep and the message
// "Fataler Fehler!") when the file cannot be opened or is not a valid event.
int32_t LoadEventFile(const EventListEntry& entry, int32_t index = 0);
// Drops the loaded event (event-loaded word 0).
void UnloadEvent();

// Checks a 7,916-byte event file image (header and block); true when its
// kind, counts and sizes lie within the program's limits.
bool IsValidEventImage(const EventFileHeader& header, const EventDefinition& def);
