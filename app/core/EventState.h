#pragma once
// Everything the program knows about the event it works on: the settings and
// paths, the event list, the loaded event definition with the values taken
// from it, the entry store and the error list. The program holds one; code
// that reads or changes the event takes it as a parameter.
#include "app/core/EventDefinition.h"
#include "app/core/EventTable.h"
#include "app/core/Settings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Memory;
class Meldefehler;

struct EventState {
  EventState();
  ~EventState();
  EventState(const EventState&) = delete;
  EventState& operator=(const EventState&) = delete;

  Settings settings;
  // Preset for empty district and county codes of a team; nothing fills it.
  std::string districtPreset;

  // The event list, filled by ListEventFiles.
  std::vector<EventListEntry> eventList;

  // The loaded event (null until an event is loaded).
  std::unique_ptr<EventDefinition> eventDef;
  int16_t eventKind = 0;
  char eventTitle[100] = {};
  // A separator and the file name up to and including its last point; the
  // data files and the log file append their extension.
  std::string eventName;
  int32_t eventLoaded = 0;
  // Buffer 0 empty, buffer c+1 the name of class c.
  char classNames[13][30] = {};
  // The display name of class c as the class chooser lists it: its buffer above.
  char* const classDisplayNames[kMaxClasses];
  // Per class (athletes per team, discipline count) and (oldest, youngest year).
  int16_t classSizes[kMaxClasses][2] = {};
  int16_t classBounds[kMaxClasses][2] = {};

  // The entry store (null until the settings reload creates it).
  std::unique_ptr<Memory> memory;
  // The error list of the entry check.
  std::unique_ptr<Meldefehler> meldefehler;
};
