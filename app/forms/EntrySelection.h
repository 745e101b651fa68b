#pragma once
// The teams ticked for the entry file: 12 rows (competition classes) of 50
// cells, of which cells 0-19 (the team slots) are used; a cell greater than
// 0 marks a ticked team. The create-entry-file command fills it, the
// entry-file writer reads it.
#include <cstdint>

inline constexpr int kEntrySelectionRows = 12;
inline constexpr int kEntrySelectionCells = 50;

extern int32_t EntrySelection[kEntrySelectionRows][kEntrySelectionCells];
