#pragma once
// Shared set-up of the entry-data fuzz targets: a program folder of its own
// with blank data files, a platform that shows nothing, and the steps that
// use a loaded event and store (the entry check of every class and the
// entry file of every team, built in memory).
#include "app/core/EntryCheck.h"
#include "app/core/EntryFileWriter.h"
#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/PortablePlatform.h"
#include "app/core/Settings.h"
#include "classlib/Stream.h"
#include "xml/dom/XpObjModel.h"

#include <filesystem>
#include <string>

#include <unistd.h>

namespace kel::fuzz {

struct QuietPlatform : PortablePlatform {
  int32_t messageBox(const std::string&, const std::string&, uint32_t) override { return 1; }
};

inline std::string SetUpProgramFolder() {
  static QuietPlatform quiet;
  setPlatform(&quiet);
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("kel_fuzz_" + std::to_string(getpid()));
  fs::create_directories(dir / "treiber");
  fs::create_directories(dir / "veranst");
  BuildProgramPaths(dir.string() + "/");
  gMeldefehler = std::make_unique<Meldefehler>();
  return dir.string();
}

inline void UseLoadedEvent() {
  Memory store;
  for (int32_t c = 0; c < kMaxClasses; ++c) CheckClass(&store, c);
  static EntrySelectionTable all;
  for (auto& row : all)
    for (int32_t& cell : row) cell = 1;
  TXpObjModel xml(nullptr);
  EntryFileWriter(*gEventDef, store, all, "{ID}", "").BuildDocument(xml);
  TMemoryStream bytes;
  xml.SaveToStream(bytes);
}

}  // namespace kel::fuzz
