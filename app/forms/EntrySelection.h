#pragma once
// The teams ticked for the entry file (see EntrySelectionTable). The
// create-entry-file command fills it, the entry-file writer reads it.
#include "app/core/EntryFileWriter.h"

extern EntrySelectionTable EntrySelection;
