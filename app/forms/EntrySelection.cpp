#include "app/forms/EntrySelection.h"

int32_t EntrySelection[kEntrySelectionRows][kEntrySelectionCells] = {};
