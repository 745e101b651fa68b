// The node tree: navigation, removal, normalising, attributes and deep
// trees at growing sizes (each step should cost the same at every size),
// and the largest entry file built, saved and cleared as the entry-file
// command does it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "XpBenchTrees.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpObjModel.h"

namespace {

TXpElement* RootOf(TXpDocument* doc) {
  TXpElement* root = doc->CreateElement(u"r");
  doc->AppendChild(root);
  root->Release();
  return root;
}

void BM_WalkSiblings(benchmark::State& state) {
  TXpDocument* doc = new TXpDocument();
  TXpElement* root = RootOf(doc);
  for (int64_t i = 0; i < state.range(0); ++i) root->CreateChildElement(u"e");
  for (auto _ : state) {
    int64_t n = 0;
    for (TXpNode* c = root->noGetFirstChild(); c; c = c->noGetNextSibling()) ++n;
    for (TXpNode* c = root->noGetLastChild(); c; c = c->noGetPreviousSibling()) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.SetComplexityN(state.range(0));
  doc->Release();
}
BENCHMARK(BM_WalkSiblings)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_WalkDocumentOrder(benchmark::State& state) {
  TXpDocument* doc = new TXpDocument();
  BuildSchools(doc, static_cast<int>(state.range(0) / 169));
  for (auto _ : state) {
    int64_t n = 0;
    for (TXpNode* c = doc; c; c = c->noGetNextInDocument()) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.SetComplexityN(state.range(0));
  doc->Release();
}
BENCHMARK(BM_WalkDocumentOrder)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_RemoveChildrenFromTheFront(benchmark::State& state) {
  TXpDocument* doc = new TXpDocument();
  TXpElement* root = RootOf(doc);
  for (auto _ : state) {
    state.PauseTiming();
    for (int64_t i = 0; i < state.range(0); ++i) root->CreateChildElement(u"e");
    state.ResumeTiming();
    while (TXpNode* c = root->noGetFirstChild()) root->RemoveChild(c)->Release();
  }
  state.SetComplexityN(state.range(0));
  doc->Release();
}
BENCHMARK(BM_RemoveChildrenFromTheFront)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_NormalizeTextRun(benchmark::State& state) {
  TXpDocument* doc = new TXpDocument();
  TXpElement* root = RootOf(doc);
  for (auto _ : state) {
    state.PauseTiming();
    root->RemoveAll();
    for (int64_t i = 0; i < state.range(0); ++i) root->CreateChildText(u"abc");
    state.ResumeTiming();
    root->Normalize();
  }
  state.SetComplexityN(state.range(0));
  doc->Release();
}
BENCHMARK(BM_NormalizeTextRun)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

void BM_AddAttributes(benchmark::State& state) {
  std::vector<std::u16string> names;
  for (int64_t i = 0; i < state.range(0); ++i) names.push_back(u"a" + Utf8ToWide(std::to_string(i)));
  for (auto _ : state) {
    TXpDocument* doc = new TXpDocument();
    TXpElement* root = RootOf(doc);
    for (const auto& name : names) root->SetAttribute(name, u"v");
    doc->Release();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AddAttributes)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A chain of n nested elements built, saved and released.
void BM_DeepTree(benchmark::State& state) {
  TXpObjModel model(nullptr);
  for (auto _ : state) {
    TXpElement* e = RootOf(model.Document());
    for (int64_t i = 0; i < state.range(0); ++i) e = e->CreateChildElement(u"e");
    TMemoryStream out;
    model.SaveToStream(out);
    model.ClearDocument();
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DeepTree)->Arg(10000)->Arg(100000)->Arg(1000000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// --- the entry file ---

struct EntryFile {
  TXpObjModel model{nullptr};
  std::filesystem::path path = std::filesystem::temp_directory_path() / "kel_entry_bench.vov";
  EntryFile() {
    // As the entry-file command sets it up.
    model.SetFormattedOutput(true);
    model.SetOutCharSet(ceUnknown);
    model.SetWriteUTF8Signature(true);
  }
  ~EntryFile() { std::filesystem::remove(path); }
};

void BM_EntryFile(benchmark::State& state) {
  EntryFile f;
  for (auto _ : state) {
    BuildEntryFile(f.model.Document());
    f.model.SaveToFile(f.path.u16string());
    f.model.ClearDocument();
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(f.path));
}
BENCHMARK(BM_EntryFile)->Unit(benchmark::kMillisecond);

void BM_EntryFileBuild(benchmark::State& state) {
  EntryFile f;
  for (auto _ : state) {
    BuildEntryFile(f.model.Document());
    state.PauseTiming();
    f.model.ClearDocument();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_EntryFileBuild)->Unit(benchmark::kMillisecond);

void BM_EntryFileSave(benchmark::State& state) {
  EntryFile f;
  BuildEntryFile(f.model.Document());
  for (auto _ : state) f.model.SaveToFile(f.path.u16string());
}
BENCHMARK(BM_EntryFileSave)->Unit(benchmark::kMillisecond);

void BM_EntryFileClear(benchmark::State& state) {
  EntryFile f;
  for (auto _ : state) {
    state.PauseTiming();
    BuildEntryFile(f.model.Document());
    state.ResumeTiming();
    f.model.ClearDocument();
  }
}
BENCHMARK(BM_EntryFileClear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
