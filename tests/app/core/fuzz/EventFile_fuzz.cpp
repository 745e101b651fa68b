// Fuzzes the event-definition loader: any file in the event folder is
// listed, loaded or refused, and a loaded event is checked and written.
#include "tests/app/core/fuzz/FuzzEvent.h"

#include "app/core/FileSystem.h"

#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kel::fuzz::SetUpProgramFolder();
  gEventName = "/FUZZ.";
  CreateBlankDataFiles();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name = "FUZZ.JTFO";
  if (std::FILE* f = std::fopen((gSettings.treiberDir + "/" + name).c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  ListEventFiles();
  EventListEntry entry;
  entry.fileName = name;
  if (LoadEventFile(entry, 0)) {
    RollBirthYears(gEventDef.get(), 2011);
    gEventName = "/FUZZ.";  // the blank data files of the set-up
    kel::fuzz::UseLoadedEvent();
  }
  UnloadEvent();
  return 0;
}
