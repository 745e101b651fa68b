// Fuzzes the event-definition loader: any file in the event folder is
// listed, loaded or refused, and a loaded event is checked and written
// over the store of the fixtures' data set, which the set-up opens once
// (the check and the writer only read it).
#include "tests/app/core/fuzz/FuzzEvent.h"

namespace {

std::unique_ptr<Memory> gStore;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kel::fuzz::SetUpProgramFolder();
  gStore = std::make_unique<Memory>(kel::fuzz::State());
  if (!gStore->isReady()) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string name = "FUZZ.JTFO";
  kel::fuzz::Files().Contents(kel::fuzz::EventFilePath(name)).assign(data, data + size);
  EventState& state = kel::fuzz::State();
  ListEventFiles(state);
  EventListEntry entry;
  entry.fileName = name;
  if (LoadEventFile(state, entry, 0)) {
    RollBirthYears(state.eventDef.get(), 2011);
    kel::fuzz::UseLoadedEvent(*gStore);
  }
  UnloadEvent(state);
  return 0;
}
