// Parses the same in-memory documents with our parser into the object
// model's tree and with libxml2's xmlReadMemory into its tree: entry-file
// shaped documents of about 1, 10 and 100 MB and one text-heavy document.
// The "tree_bytes" counter is the heap the built tree holds (glibc's count
// of allocated bytes with the tree built less before it).
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <malloc.h>

#include <map>
#include <memory>
#include <string>

#include "xml/dom/XpObjModel.h"
#include "xml/parser/XpParser.h"

namespace {

// An entry file: schools with teams with athletes, attributes with umlauts
// and entities, short texts.
std::string EntryFile(size_t targetBytes) {
  std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Meldebogen VeranstID=\"4711\">\n";
  for (int i = 0; s.size() < targetBytes; ++i) {
    const std::string n = std::to_string(i);
    s += "  <Schule Nr=\"" + n + "\" Name=\"St\xC3\xA4" "dtische Realschule Nr. " + n +
         "\" Ort=\"\xC3\x9C" "berlingen am Bodensee\">\n";
    for (int j = 0; j < 12; ++j) {
      s += "    <Mannschaft Name=\"WK III - Mannschaft " + std::to_string(j) +
           "\" Betreuer=\"Frau K\xC3\xB6nig &amp; Herr &quot;Gro\xC3\x9F&quot;\">\n";
      for (int k = 0; k < 13; ++k)
        s += "      <Teilnehmer Name=\"J\xC3\xB6rg M\xC3\xBC\xC3\x9Fig " + std::to_string(k) +
             "\" Jahrgang=\"2010\">Weitsprung 4,52 m &#183; 800 m 2:31,4 min</Teilnehmer>\n";
      s += "    </Mannschaft>\n";
    }
    s += "  </Schule>\n";
  }
  return s + "</Meldebogen>\n";
}

std::string TextHeavy(size_t targetBytes) {
  std::string para;
  for (int i = 0; i < 40; ++i) para += "Die Sch\xC3\xBCler laufen &amp; springen, werfen und sto\xC3\x9F" "en. ";
  std::string s = "<?xml version=\"1.0\"?>\n<book>\n";
  while (s.size() < targetBytes) s += "  <p>" + para + "</p>\n";
  return s + "</book>\n";
}

const std::string& Document(int64_t kind) {
  static std::map<int64_t, std::string> docs;
  auto it = docs.find(kind);
  if (it != docs.end()) return it->second;
  const std::string doc = kind == 0 ? TextHeavy(10u << 20) : EntryFile(static_cast<size_t>(kind) << 20);
  return docs.emplace(kind, doc).first->second;
}

size_t HeapInUse() { return mallinfo2().uordblks; }

// The heap a built tree holds, measured once outside the timed loop (the
// heap walk is slow).
template <class Build>
double TreeBytes(Build build) {
  const size_t before = HeapInUse();
  auto keep = build();
  const double bytes = static_cast<double>(HeapInUse() - before);
  return bytes;
}

void BM_Ours(benchmark::State& state) {
  const std::string& doc = Document(state.range(0));
  auto load = [&doc] {
    auto model = std::make_unique<TXpObjModel>(nullptr);
    model->SetNormalizeData(false);
    model->LoadMemory(doc.data(), static_cast<int32_t>(doc.size()));
    return model;
  };
  state.counters["tree_bytes"] = TreeBytes(load);
  for (auto _ : state) {
    auto model = load();
    if (model->ErrorCount()) state.SkipWithError("parse failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
}

// The parser alone, with no event handler: what the tree costs on top of it
// is the difference to BM_Ours.
void BM_ParserOnly(benchmark::State& state) {
  const std::string& doc = Document(state.range(0));
  TXpParser parser(nullptr);
  parser.SetNormalizeData(false);
  for (auto _ : state)
    if (!parser.ParseMemory(doc.data(), static_cast<int32_t>(doc.size()))) state.SkipWithError("parse failed");
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
}

void BM_LibXml2(benchmark::State& state) {
  const std::string& doc = Document(state.range(0));
  auto load = [&doc] {
    return std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)>(
        xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "bench.xml", nullptr, XML_PARSE_HUGE), xmlFreeDoc);
  };
  state.counters["tree_bytes"] = TreeBytes(load);
  for (auto _ : state) {
    auto d = load();
    if (!d) state.SkipWithError("parse failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
}

// Argument: size of the entry file in MB, or 0 for the 10 MB text-heavy one.
BENCHMARK(BM_Ours)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParserOnly)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibXml2)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
