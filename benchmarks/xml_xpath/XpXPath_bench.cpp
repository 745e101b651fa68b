// The same queries on the same document of 100,000 elements, through our
// XPath library (the object model's tree) and through libxml2's
// xmlXPathEval (its tree): a lookup by attribute value, a count of all
// elements of a name, and the last child of each of many parents.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>

#include "xml/dom/XpObjModel.h"
#include "xml/xpath/XpValue.h"

namespace {

// 1,000 "c" elements with 99 "a" children each, under one root: 100,000
// elements (the root counted), every "a" with its number and a short text.
const std::string& Document() {
  static const std::string doc = [] {
    std::string s = "<r>";
    int n = 0;
    for (int i = 0; i < 1000; ++i) {
      s += "<c>";
      for (int j = 0; j < 99; ++j) s += "<a n=\"" + std::to_string(++n) + "\">x</a>";
      s += "</c>";
    }
    return s + "</r>";
  }();
  return doc;
}

const char* const kQueries[] = {"//a[@n='5000']", "count(//a)", "//c/a[last()]"};

TXpObjModel& Ours() {
  static TXpObjModel* model = [] {
    auto* m = new TXpObjModel(nullptr);
    m->LoadMemory(Document().data(), static_cast<int32_t>(Document().size()));
    return m;
  }();
  return *model;
}

xmlDocPtr Theirs() {
  static xmlDocPtr doc = xmlReadMemory(Document().data(), static_cast<int>(Document().size()), "bench.xml",
                                       nullptr, XML_PARSE_NONET);
  return doc;
}

void BM_Ours(benchmark::State& state) {
  const char* query = kQueries[state.range(0)];
  state.SetLabel(query);
  const std::u16string expression(query, query + std::char_traits<char>::length(query));
  TXpDocument* doc = Ours().Document();
  for (auto _ : state) {
    std::unique_ptr<TXpValue> v = doc->Select(expression);
    benchmark::DoNotOptimize(v.get());
  }
}

void BM_Libxml2(benchmark::State& state) {
  const char* query = kQueries[state.range(0)];
  state.SetLabel(query);
  xmlXPathContextPtr context = xmlXPathNewContext(Theirs());
  for (auto _ : state) {
    xmlXPathObjectPtr result = xmlXPathEval(reinterpret_cast<const xmlChar*>(query), context);
    benchmark::DoNotOptimize(result);
    xmlXPathFreeObject(result);
  }
  xmlXPathFreeContext(context);
}

}  // namespace

BENCHMARK(BM_Ours)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Libxml2)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
