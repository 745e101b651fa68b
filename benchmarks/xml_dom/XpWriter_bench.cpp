// The XML library against libxml2, like for like and interleaved in one
// program: the same tree shapes, built and freed, and saved indented with
// every non-ASCII character as a decimal reference (our writer undeclared
// ISO-8859-1, libxml2 "ASCII"), into memory.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "XpBenchTrees.h"
#include "classlib/Stream.h"
#include "xml/dom/XpObjModel.h"

namespace {

// Elements of the document: about 169 per school.
int64_t SchoolsFor(int64_t elements) { return std::max<int64_t>(1, elements / 169); }

// CPU time of the process and its minor page faults.
double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long MinorFaults() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_minflt;
}

// Runs ours and libxml2's step in turns whose order alternates, so that the
// machine's load falls on both alike. The benchmark's time is ours; the
// counters give each side's milliseconds and page faults per step and
// libxml2's time over ours (above 1: we are faster).
template <class Ours, class Theirs>
void Interleaved(benchmark::State& state, Ours ours, Theirs theirs) {
  double seconds[2] = {}, faults[2] = {};
  int64_t turn = 0;
  for (auto _ : state) {
    for (int k = 0; k < 2; ++k) {
      const int side = static_cast<int>((turn + k) % 2);
      const long f = MinorFaults();
      const double start = CpuSeconds();
      if (side == 0)
        ours();
      else
        theirs();
      const double s = CpuSeconds() - start;
      seconds[side] += s;
      faults[side] += static_cast<double>(MinorFaults() - f);
      if (side == 0) state.SetIterationTime(s);
    }
    ++turn;
  }
  const double n = static_cast<double>(std::max<int64_t>(state.iterations(), 1));
  state.counters["ours_ms"] = seconds[0] / n * 1e3;
  state.counters["libxml2_ms"] = seconds[1] / n * 1e3;
  state.counters["ours_faults"] = faults[0] / n;
  state.counters["libxml2_faults"] = faults[1] / n;
  state.counters["x_libxml2"] = seconds[1] / std::max(seconds[0], 1e-9);
}

// Saving the same tree, ours into one kept sink (as a caller saving again
// and again keeps its buffer), libxml2's into the buffer it allocates.
void BM_Save(benchmark::State& state) {
  TXpObjModel model(nullptr);
  model.SetFormattedOutput(true);
  model.SetOutCharSet(ceUnknown);
  BuildSchools(model.Document(), static_cast<int>(SchoolsFor(state.range(0))));
  xmlDocPtr doc = BuildSchoolsLibXml2(static_cast<int>(SchoolsFor(state.range(0))));
  TMemoryStream out;
  model.SaveToStream(out);
  int64_t bytes = 0, theirBytes = 0;
  Interleaved(
      state,
      [&] {
        out.SetSize(0);
        model.SaveToStream(out);
        bytes = out.Size();
      },
      [&] {
        xmlChar* mem = nullptr;
        int size = 0;
        xmlDocDumpFormatMemoryEnc(doc, &mem, &size, "ASCII", 1);
        if (!mem) state.SkipWithError("xmlDocDumpFormatMemoryEnc failed");
        theirBytes = size;
        xmlFree(mem);
      });
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["libxml2_bytes"] = static_cast<double>(theirBytes);
  xmlFreeDoc(doc);
}
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_BuildAndFree(benchmark::State& state) {
  const int schools = static_cast<int>(SchoolsFor(state.range(0)));
  Interleaved(
      state,
      [&] {
        TXpDocument* doc = new TXpDocument();
        BuildSchools(doc, schools);
        doc->Release();
      },
      [&] { xmlFreeDoc(BuildSchoolsLibXml2(schools)); });
}
BENCHMARK(BM_BuildAndFree)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

// Resident memory a built 100k-element document adds, ours and libxml2's,
// measured one after the other in this process.
void BM_MemoryOf100kDocument(benchmark::State& state) {
  const int schools = static_cast<int>(SchoolsFor(100000));
  double ours = 0, theirs = 0;
  for (auto _ : state) {
    ReleaseFreeMemory();
    int64_t before = ResidentBytes();
    TXpDocument* doc = new TXpDocument();
    BuildSchools(doc, schools);
    ours = static_cast<double>(ResidentBytes() - before);
    doc->Release();
    ReleaseFreeMemory();
    before = ResidentBytes();
    xmlDocPtr x = BuildSchoolsLibXml2(schools);
    theirs = static_cast<double>(ResidentBytes() - before);
    xmlFreeDoc(x);
  }
  state.counters["ours_MB"] = ours / 1e6;
  state.counters["libxml2_MB"] = theirs / 1e6;
  state.counters["ratio"] = theirs > 0 ? ours / theirs : 0;
}
BENCHMARK(BM_MemoryOf100kDocument)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
