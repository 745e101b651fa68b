// Loading a full event (12 classes x 20 teams x 13 athletes, all named, all
// disciplines) from its data files, checking all 12 classes, saving one team
// and a whole class, and writing its entry file with every team ticked.
#include "app/core/EntryCheck.h"
#include "app/core/EntryFileWriter.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "app/core/Meldefehler.h"
#include "app/core/Settings.h"
#include "classlib/Stream.h"
#include "xml/dom/XpObjModel.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

// Reports the page faults per iteration of the loop that follows. Wine
// leaves the process's fault count at zero, so it is reported natively only.
class FaultCounter {
public:
  explicit FaultCounter(benchmark::State& state) : state_(state), start_(PageFaults()) {}
  ~FaultCounter() {
#ifndef _WIN32
    state_.counters["faults"] = benchmark::Counter(static_cast<double>(PageFaults() - start_),
                                                   benchmark::Counter::kAvgIterations);
#endif
  }

private:
  static int64_t PageFaults() {
#ifdef _WIN32
    return 0;
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
#endif
  }

  benchmark::State& state_;
  int64_t start_;
};

// Copies the full fixture event into a temporary program folder and loads
// its definition.
struct FullEvent {
  fs::path dir;
  EventState event;
  FullEvent() {
    const char* env = std::getenv("KEL_FIXTURES");
    fs::path fixtures = env ? fs::path(env) : fs::path(KEL_FIXTURE_DIR);
    // A folder of this run's own: other runs may use the machine at the same time.
    dir = fs::temp_directory_path() / ("kel_core_bench_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(fixtures / "full", dir, fs::copy_options::recursive);
    BuildProgramPaths(event.settings, dir.string() + "/");
    EventListEntry e;
    e.fileName = "KREIS2010.JTFO";
    if (!LoadEventFile(event, e, 0)) std::abort();
    RollBirthYears(event.eventDef.get(), 2011);
    event.meldefehler = std::make_unique<Meldefehler>();
  }
  ~FullEvent() {
    // The store closes its files before the folder goes.
    event.memory.reset();
    fs::remove_all(dir);
  }
};

FullEvent& Event() {
  static FullEvent e;
  return e;
}

void BM_LoadFullEvent(benchmark::State& state) {
  EventState& ev = Event().event;
  for (auto _ : state) {
    ev.memory = std::make_unique<Memory>(ev);
    if (!ev.memory->isReady()) state.SkipWithError("store not ready");
    benchmark::DoNotOptimize(ev.memory->getAthlete(11, 19, 12));
  }
}
BENCHMARK(BM_LoadFullEvent)->Unit(benchmark::kMillisecond);

void BM_CheckAllClasses(benchmark::State& state) {
  EventState& ev = Event().event;
  ev.memory = std::make_unique<Memory>(ev);
  int32_t errors = 0;
  for (auto _ : state) {
    for (int32_t c = 0; c < 12; ++c) errors += CheckClass(ev, ev.memory.get(), c);
    benchmark::DoNotOptimize(errors);
  }
  state.counters["classes_with_errors"] = static_cast<double>(errors) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CheckAllClasses)->Unit(benchmark::kMicrosecond);

void BM_SaveTeam(benchmark::State& state) {
  EventState& ev = Event().event;
  ev.memory = std::make_unique<Memory>(ev);
  for (auto _ : state)
    if (!ev.memory->saveTeam(5, 7)) state.SkipWithError("not saved");
}
BENCHMARK(BM_SaveTeam)->Unit(benchmark::kMicrosecond);

void BM_SaveFullClass(benchmark::State& state) {
  EventState& ev = Event().event;
  ev.memory = std::make_unique<Memory>(ev);
  for (auto _ : state)
    for (int32_t t = 0; t < kMaxTeams; ++t)
      if (!ev.memory->saveTeam(5, t)) state.SkipWithError("not saved");
}
BENCHMARK(BM_SaveFullClass)->Unit(benchmark::kMicrosecond);

// The full event with every team selected, a fresh store and a writer for
// its entry file.
struct FullEntrySetup {
  FullEntrySetup() {
    for (auto& row : selection)
      for (int32_t t = 0; t < kMaxTeams; ++t) row[t] = 1;
  }
  // The event and the store exist before the writer is made from them.
  struct Store {
    Store() {
      EventState& ev = Event().event;
      ev.memory = std::make_unique<Memory>(ev);
    }
  } store;
  EntrySelectionTable selection{};
  TXpObjModel xml{nullptr};
  EntryFileWriter writer{*Event().event.eventDef, *Event().event.memory, selection,
                         "{00000000-0000-0000-0000-000000000000}", ""};
};

// Building the document, saving it (temporary file, rename) and clearing it.
void BM_WriteFullEntryFile(benchmark::State& state) {
  FullEntrySetup setup;
  TXpObjModel& xml = setup.xml;
  EntryFileWriter& writer = setup.writer;
  const std::string path = (Event().dir / "Meldung.VOV").string();
  FaultCounter faults(state);
  for (auto _ : state)
    if (!writer.WriteEntryFile(xml, path)) state.SkipWithError("not written");
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_WriteFullEntryFile)->Unit(benchmark::kMillisecond);

// The same without the file: the document built, written into memory and
// cleared.
void BM_BuildFullEntryDocument(benchmark::State& state) {
  FullEntrySetup setup;
  TXpObjModel& xml = setup.xml;
  EntryFileWriter& writer = setup.writer;
  FaultCounter faults(state);
  for (auto _ : state) {
    writer.BuildDocument(xml);
    TMemoryStream bytes;
    xml.SaveToStream(bytes);
    benchmark::DoNotOptimize(bytes.Memory());
    xml.ClearDocument();
  }
}
BENCHMARK(BM_BuildFullEntryDocument)->Unit(benchmark::kMillisecond);

// The parts of the above alone: the built document saved into memory, and
// the document built and cleared without saving.
void BM_SaveFullEntryDocument(benchmark::State& state) {
  FullEntrySetup setup;
  TXpObjModel& xml = setup.xml;
  EntryFileWriter& writer = setup.writer;
  writer.BuildDocument(xml);
  FaultCounter faults(state);
  for (auto _ : state) {
    TMemoryStream bytes;
    xml.SaveToStream(bytes);
    benchmark::DoNotOptimize(bytes.Memory());
  }
}
BENCHMARK(BM_SaveFullEntryDocument)->Unit(benchmark::kMillisecond);

void BM_BuildAndClearFullEntryDocument(benchmark::State& state) {
  FullEntrySetup setup;
  TXpObjModel& xml = setup.xml;
  EntryFileWriter& writer = setup.writer;
  FaultCounter faults(state);
  for (auto _ : state) {
    writer.BuildDocument(xml);
    xml.ClearDocument();
  }
}
BENCHMARK(BM_BuildAndClearFullEntryDocument)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
