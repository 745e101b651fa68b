// The XML library against libxml2, like for like: the same tree shapes,
// saved indented with every non-ASCII character as a decimal reference
// (our writer undeclared ISO-8859-1, libxml2 "ASCII"), into memory.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>

#include "XpBenchTrees.h"
#include "classlib/Stream.h"
#include "xml/dom/XpObjModel.h"

namespace {

// Elements of the document: about 169 per school.
int64_t SchoolsFor(int64_t elements) { return std::max<int64_t>(1, elements / 169); }

void BM_XpWriterSave(benchmark::State& state) {
  TXpObjModel model(nullptr);
  model.SetFormattedOutput(true);
  model.SetOutCharSet(ceUnknown);
  BuildSchools(model.Document(), static_cast<int>(SchoolsFor(state.range(0))));
  int64_t bytes = 0;
  // One sink for every save, as a caller saving again and again keeps its
  // buffer: the figure is the writer's, not the system's for fresh pages.
  TMemoryStream out;
  model.SaveToStream(out);
  for (auto _ : state) {
    out.SetSize(0);
    model.SaveToStream(out);
    bytes = out.Size();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_XpWriterSave)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_LibXml2Save(benchmark::State& state) {
  xmlDocPtr doc = BuildSchoolsLibXml2(static_cast<int>(SchoolsFor(state.range(0))));
  int64_t bytes = 0;
  for (auto _ : state) {
    xmlChar* mem = nullptr;
    int size = 0;
    xmlDocDumpFormatMemoryEnc(doc, &mem, &size, "ASCII", 1);
    if (!mem) state.SkipWithError("xmlDocDumpFormatMemoryEnc failed");
    bytes = size;
    xmlFree(mem);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(state.iterations() * bytes);
  xmlFreeDoc(doc);
}
BENCHMARK(BM_LibXml2Save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_XpBuildAndFree(benchmark::State& state) {
  const int schools = static_cast<int>(SchoolsFor(state.range(0)));
  for (auto _ : state) {
    TXpDocument* doc = new TXpDocument();
    BuildSchools(doc, schools);
    doc->Release();
  }
}
BENCHMARK(BM_XpBuildAndFree)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LibXml2BuildAndFree(benchmark::State& state) {
  const int schools = static_cast<int>(SchoolsFor(state.range(0)));
  for (auto _ : state) xmlFreeDoc(BuildSchoolsLibXml2(schools));
}
BENCHMARK(BM_LibXml2BuildAndFree)->Arg(100000)->Unit(benchmark::kMillisecond);

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
