// Writes a generated entry-file-like document of about 10 MB, indented, as
// ISO-8859-1: once through our object model and writer, once the same tree
// shape through libxml2's xmlSaveFormatFileEnc.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "classlib/AnsiString.h"
#include "xml/dom/XpCharacterData.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpObjModel.h"
#include "xml/dom/XpProcessingInstruction.h"

namespace {

constexpr int kSchools = 360;
constexpr int kTeams = 12;
constexpr int kAthletes = 13;

// The texts of the generated document.
struct Texts {
  WideString school(int i) const { return u"St\u00e4dtische Realschule Nr. " + Num(i); }
  WideString city = u"\u00dcberlingen am Bodensee";
  WideString team(int j) const { return u"WK III - Mannschaft " + Num(j); }
  WideString coach = u"Frau K\u00f6nig & Herr \"Gro\u00df\"";
  WideString athlete(int k) const { return u"J\u00f6rg M\u00fc\u00dfig-\u00c7elik " + Num(k); }
  WideString result = u"Weitsprung 4,52 m \u00b7 800 m 2:31,4 min - \u00bd Runde";
  static WideString Num(int n) { return Utf8ToWide(std::to_string(n)); }
};

std::filesystem::path OutPath(const char* name) {
  return std::filesystem::temp_directory_path() / name;
}

// --- our tree ---

TXpObjModel* BuildOurs() {
  auto* model = new TXpObjModel(nullptr);
  model->SetFormattedOutput(true);
  model->SetOutCharSet(ceISO88591);
  TXpDocument* doc = model->Document();
  TXpProcessingInstruction* pi = doc->CreateProcessingInstruction(u"xml", u"version=\"1.0\"");
  doc->AppendChild(pi);
  pi->Release();
  TXpElement* root = doc->CreateElement(u"Meldebogen");
  doc->AppendChild(root);
  root->Release();
  root->SetAttribute(u"VeranstID", u"4711");
  const Texts t;
  for (int i = 0; i < kSchools; ++i) {
    TXpElement* school = root->CreateChildElement(u"Schule");
    school->SetAttribute(u"Nr", Utf8ToWide(std::to_string(i)));
    school->SetAttribute(u"Name", t.school(i));
    school->SetAttribute(u"Ort", t.city);
    for (int j = 0; j < kTeams; ++j) {
      TXpElement* team = school->CreateChildElement(u"Mannschaft");
      team->SetAttribute(u"Name", t.team(j));
      team->SetAttribute(u"Betreuer", t.coach);
      for (int k = 0; k < kAthletes; ++k) {
        TXpElement* athlete = team->CreateChildElement(u"Teilnehmer");
        athlete->SetAttribute(u"Name", t.athlete(k));
        athlete->SetAttribute(u"Jahrgang", u"2010");
        athlete->CreateChildText(t.result);
      }
    }
  }
  return model;
}

void BM_XpWriterSaveToFile(benchmark::State& state) {
  TXpObjModel* model = BuildOurs();
  const std::filesystem::path path = OutPath("kel_xp_writer_bench.xml");
  for (auto _ : state) model->SaveToFile(path.u16string());
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
  delete model;
}
BENCHMARK(BM_XpWriterSaveToFile)->Unit(benchmark::kMillisecond);

// --- the same shape in libxml2 ---

// libxml2 takes UTF-8; the strings live until the call returns.
struct X {
  explicit X(const WideString& s) : utf8(WideToUtf8(s)) {}
  explicit X(const char* s) : utf8(s) {}
  operator const xmlChar*() const { return reinterpret_cast<const xmlChar*>(utf8.c_str()); }
  std::string utf8;
};

xmlDocPtr BuildLibXml2() {
  xmlDocPtr doc = xmlNewDoc(X("1.0"));
  xmlNodePtr root = xmlNewNode(nullptr, X("Meldebogen"));
  xmlDocSetRootElement(doc, root);
  xmlNewProp(root, X("VeranstID"), X("4711"));
  const Texts t;
  for (int i = 0; i < kSchools; ++i) {
    xmlNodePtr school = xmlNewChild(root, nullptr, X("Schule"), nullptr);
    xmlNewProp(school, X("Nr"), X(Texts::Num(i)));
    xmlNewProp(school, X("Name"), X(t.school(i)));
    xmlNewProp(school, X("Ort"), X(t.city));
    for (int j = 0; j < kTeams; ++j) {
      xmlNodePtr team = xmlNewChild(school, nullptr, X("Mannschaft"), nullptr);
      xmlNewProp(team, X("Name"), X(t.team(j)));
      xmlNewProp(team, X("Betreuer"), X(t.coach));
      for (int k = 0; k < kAthletes; ++k) {
        xmlNodePtr athlete = xmlNewChild(team, nullptr, X("Teilnehmer"), nullptr);
        xmlNewProp(athlete, X("Name"), X(t.athlete(k)));
        xmlNewProp(athlete, X("Jahrgang"), X("2010"));
        xmlAddChild(athlete, xmlNewText(X(t.result)));
      }
    }
  }
  return doc;
}

void BM_LibXml2SaveFormatFileEnc(benchmark::State& state) {
  xmlDocPtr doc = BuildLibXml2();
  const std::filesystem::path path = OutPath("kel_libxml2_bench.xml");
  for (auto _ : state) {
    if (xmlSaveFormatFileEnc(path.string().c_str(), doc, "ISO-8859-1", 1) < 0)
      state.SkipWithError("xmlSaveFormatFileEnc failed");
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
  xmlFreeDoc(doc);
}
BENCHMARK(BM_LibXml2SaveFormatFileEnc)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
