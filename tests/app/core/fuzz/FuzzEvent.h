#pragma once
// Shared set-up of the entry-data fuzz targets: a program folder in memory
// (MemoryFiles.h) that holds the fixtures' real event of twelve classes
// with its data set (teams and athletes of its first classes), loaded as
// the program loads it, and the steps that use a loaded event and store
// (the entry check of every class and the entry file of every team, built
// in memory).
#include "app/core/EntryCheck.h"
#include "app/core/EntryFileWriter.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"
#include "classlib/Stream.h"
#include "tests/app/core/fuzz/MemoryFiles.h"
#include "xml/dom/XpObjModel.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace kel::fuzz {

inline MemoryFiles& Files() {
  static MemoryFiles files;
  return files;
}

// The fixture file (from the fixtures the build writes) at path in memory.
inline void AddFixture(const std::string& fixture, const std::string& path) {
  std::ifstream in(std::string(KEL_FUZZ_FIXTURES) + "/" + fixture, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "fixture missing: %s/%s\n", KEL_FUZZ_FIXTURES, fixture.c_str());
    std::abort();
  }
  Files().Contents(path).assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The event state the targets load into.
inline EventState& State() {
  static EventState state;
  return state;
}

inline std::string EventFilePath(const std::string& name) { return State().settings.treiberDir + kPathSep + name; }

// Installs the files in memory and the program folder, and loads the
// fixtures' event with its data set; the event file itself leaves the
// event folder again.
inline void SetUpProgramFolder() {
  static MemoryPlatform platform(Files());
  setPlatform(&platform);
  setFileSystem(&Files());
  EventState& state = State();
  BuildProgramPaths(state.settings, "/kel/");
  Files().AddFolder(state.settings.treiberDir);
  Files().AddFolder(state.settings.veranstDir);
  state.meldefehler = std::make_unique<Meldefehler>();
  AddFixture("A/treiber/KREIS2010.JTFO", EventFilePath("KREIS2010.JTFO"));
  for (const char* ext : {"SDA", "MDA", "STF"})
    AddFixture(std::string("A/veranst/KREIS2010.") + ext, state.settings.veranstDir + "/KREIS2010." + ext);
  EventListEntry entry;
  entry.fileName = "KREIS2010.JTFO";
  if (ListEventFiles(state) != 1 || !LoadEventFile(state, entry, 0)) {
    std::fprintf(stderr, "the fixtures' event does not load\n");
    std::abort();
  }
  Files().remove(EventFilePath("KREIS2010.JTFO"));
}

inline void UseLoadedEvent(Memory& store) {
  for (int32_t c = 0; c < kMaxClasses; ++c) CheckClass(State(), &store, c);
  static EntrySelectionTable all;
  for (auto& row : all)
    for (int32_t& cell : row) cell = 1;
  // The document (which the writer clears first) and the stream serve
  // every run.
  static TXpObjModel xml(nullptr);
  static TMemoryStream bytes;
  EntryFileWriter(*State().eventDef, store, all, "{ID}", "").BuildDocument(xml);
  bytes.SetSize(0);
  bytes.Seek(0, soBeginning);
  xml.SaveToStream(bytes);
  xml.ClearDocument();
}

}  // namespace kel::fuzz
