// Parses the same in-memory documents into a tree with our parser (the
// object model's tree), with libxml2's xmlReadMemory and with pugixml's
// load_buffer: entry-file shaped documents of about 1, 10 and 100 MB and
// one text-heavy document of 10 MB.
//
// The three sides run interleaved inside each benchmark, in turns whose
// order rotates, so that the machine's load falls on all of them alike.
// The benchmark's time is ours; the counters give each side's milliseconds
// per load (CPU time of the process), the ratios (libxml2's time over ours:
// above 1 means we are faster) and the minor page faults per load
// (getrusage). BM_Repeated loads document after document in this process;
// BM_FirstLoad starts a fresh process of this program for every load
// (--first-load=<side>,<document>) and reads its figures back.
// BM_TreeBytes gives the heap each side's tree holds (glibc's count of
// allocated bytes, mapped blocks included, with the tree built less before
// it; our slab cache is emptied first so that it counts in full).
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>

#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpObjModel.h"
#include "xml/parser/XpParser.h"

extern char** environ;

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

// Argument: size of the entry file in MB, or 0 for the 10 MB text-heavy one.
const std::string& Document(int64_t kind) {
  static std::map<int64_t, std::string> docs;
  auto it = docs.find(kind);
  if (it != docs.end()) return it->second;
  std::string doc = kind == 0 ? TextHeavy(10u << 20) : EntryFile(static_cast<size_t>(kind) << 20);
  return docs.emplace(kind, std::move(doc)).first->second;
}

enum Side { kOurs, kLibXml2, kPugixml };
constexpr const char* kSideNames[] = {"ours", "libxml2", "pugixml"};

// One load into a tree and its release; false when the parse failed.
bool LoadAndFree(Side side, const std::string& doc) {
  switch (side) {
    case kOurs: {
      TXpObjModel model(nullptr);
      model.SetNormalizeData(false);
      return model.LoadMemory(doc.data(), static_cast<int32_t>(doc.size()));
    }
    case kLibXml2: {
      xmlDocPtr d = xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "bench.xml", nullptr, XML_PARSE_HUGE);
      xmlFreeDoc(d);
      return d != nullptr;
    }
    case kPugixml: {
      pugi::xml_document d;
      return d.load_buffer(doc.data(), doc.size(), pugi::parse_default, pugi::encoding_utf8);
    }
  }
  return false;
}

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

struct Totals {
  double seconds[3] = {};
  double faults[3] = {};
  int64_t loads[3] = {};
  void Add(Side side, double s, double f) {
    seconds[side] += s;
    faults[side] += f;
    ++loads[side];
  }
  // Our time is the benchmark's; the rest are counters.
  void Report(benchmark::State& state) const {
    for (int s = 0; s < 3; ++s) {
      const double n = static_cast<double>(std::max<int64_t>(loads[s], 1));
      state.counters[std::string(kSideNames[s]) + "_ms"] = seconds[s] / n * 1e3;
      state.counters[std::string(kSideNames[s]) + "_faults"] = faults[s] / n;
    }
    state.counters["x_libxml2"] = seconds[kLibXml2] / std::max(seconds[kOurs], 1e-9);
    state.counters["x_pugixml"] = seconds[kPugixml] / std::max(seconds[kOurs], 1e-9);
  }
};

void BM_Repeated(benchmark::State& state) {
  const std::string& doc = Document(state.range(0));
  Totals totals;
  // One load of each side before timing, so that each has met the document.
  for (int s = 0; s < 3; ++s) LoadAndFree(static_cast<Side>(s), doc);
  int turn = 0;
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) {
      const Side side = static_cast<Side>((turn + k) % 3);
      const long faults = MinorFaults();
      const double start = CpuSeconds();
      if (!LoadAndFree(side, doc)) state.SkipWithError("parse failed");
      const double seconds = CpuSeconds() - start;
      totals.Add(side, seconds, static_cast<double>(MinorFaults() - faults));
      if (side == kOurs) state.SetIterationTime(seconds);
    }
    ++turn;
  }
  totals.Report(state);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_Repeated)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond);

// The figures of one load in a fresh process: CPU seconds and minor faults.
bool FirstLoadInChild(Side side, int64_t kind, double& seconds, double& faults) {
  static const std::string self = [] {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return std::string(path, n > 0 ? static_cast<size_t>(n) : 0);
  }();
  int out[2];
  if (pipe(out) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string arg = "--first-load=" + std::to_string(side) + "," + std::to_string(kind);
  char* argv[] = {const_cast<char*>(self.c_str()), arg.data(), nullptr};
  pid_t pid;
  const int rc = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (rc != 0) {
    close(out[0]);
    return false;
  }
  char buf[256] = {};
  size_t got = 0;
  for (ssize_t n; got < sizeof buf - 1 && (n = read(out[0], buf + got, sizeof buf - 1 - got)) > 0;)
    got += static_cast<size_t>(n);
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && std::sscanf(buf, "%lf %lf", &seconds, &faults) == 2;
}

void BM_FirstLoad(benchmark::State& state) {
  const int64_t kind = state.range(0);
  Totals totals;
  int turn = 0;
  for (auto _ : state) {
    for (int k = 0; k < 3; ++k) {
      const Side side = static_cast<Side>((turn + k) % 3);
      double seconds = 0, faults = 0;
      if (!FirstLoadInChild(side, kind, seconds, faults)) {
        state.SkipWithError("child failed");
        return;
      }
      totals.Add(side, seconds, faults);
      if (side == kOurs) state.SetIterationTime(seconds);
    }
    ++turn;
  }
  totals.Report(state);
}
BENCHMARK(BM_FirstLoad)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

size_t HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
}

// The heap a built tree holds, each side measured once in turn.
void BM_TreeBytes(benchmark::State& state) {
  const std::string& doc = Document(state.range(0));
  double bytes[3] = {};
  for (auto _ : state) {
    {
      XpReleaseNodeCache();
      const size_t before = HeapInUse();
      TXpObjModel model(nullptr);
      model.SetNormalizeData(false);
      model.LoadMemory(doc.data(), static_cast<int32_t>(doc.size()));
      bytes[kOurs] = static_cast<double>(HeapInUse() - before);
    }
    {
      const size_t before = HeapInUse();
      xmlDocPtr d = xmlReadMemory(doc.data(), static_cast<int>(doc.size()), "bench.xml", nullptr, XML_PARSE_HUGE);
      bytes[kLibXml2] = static_cast<double>(HeapInUse() - before);
      xmlFreeDoc(d);
    }
    {
      const size_t before = HeapInUse();
      pugi::xml_document d;
      d.load_buffer(doc.data(), doc.size(), pugi::parse_default, pugi::encoding_utf8);
      bytes[kPugixml] = static_cast<double>(HeapInUse() - before);
    }
  }
  for (int s = 0; s < 3; ++s) state.counters[std::string(kSideNames[s]) + "_MB"] = bytes[s] / 1048576.0;
  state.counters["x_libxml2"] = bytes[kOurs] / bytes[kLibXml2];
  state.counters["x_pugixml"] = bytes[kOurs] / bytes[kPugixml];
}
BENCHMARK(BM_TreeBytes)->Arg(1)->Arg(10)->Arg(100)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A child of BM_FirstLoad: one load, its CPU time and faults on stdout.
  if (argc == 2 && std::strncmp(argv[1], "--first-load=", 13) == 0) {
    int side = 0;
    long long kind = 0;
    if (std::sscanf(argv[1] + 13, "%d,%lld", &side, &kind) != 2) return 2;
    const std::string& doc = Document(kind);
    const long faults = MinorFaults();
    const double start = CpuSeconds();
    const bool ok = LoadAndFree(static_cast<Side>(side), doc);
    const double seconds = CpuSeconds() - start;
    std::printf("%.6f %ld\n", seconds, MinorFaults() - faults);
    return ok ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
