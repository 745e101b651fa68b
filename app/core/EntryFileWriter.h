#pragma once
// The entry file (".VOV"): the class definitions and the ticked teams of the
// loaded event with their school data, relay times, athletes and entered
// disciplines, as one XML document built on an object model.
#include "app/core/EventDefinition.h"

#include <cstdint>
#include <string>

class Memory;
class TXpObjModel;

// The teams ticked for the entry file: one row per competition class, of
// whose 50 cells the team places 0-19 are used; a cell above 0 is ticked.
inline constexpr int kEntrySelectionRows = 12;
inline constexpr int kEntrySelectionCells = 50;
using EntrySelectionTable = int32_t[kEntrySelectionRows][kEntrySelectionCells];

class EntryFileWriter {
public:
  // Reads the event's classes, the store's records and the selection; none
  // of them is changed. `VID` is the installation identity, `districtPreset`
  // the preset of the district codes.
  EntryFileWriter(const EventDefinition& def, const Memory& store, const EntrySelectionTable& selection,
                  std::string VID, std::string districtPreset);

  // Replaces the model's document with the entry file's tree and switches
  // formatted output on.
  void BuildDocument(TXpObjModel& xml) const;
  // Builds the document and saves it whole at `path` (Windows-1252; see
  // kel::WriteWholeFile); the model's document is cleared afterwards. False when saving failed: no partial file is left
  // and no exception leaves.
  bool WriteEntryFile(TXpObjModel& xml, const std::string& path) const;

private:
  bool classTicked(int32_t c) const;

  const EventDefinition& def_;
  const Memory& store_;
  const EntrySelectionTable& selection_;
  std::string VID_;
  std::string districtPreset_;
};
