// Fuzzes the data-file loader: blank data files of a full event with one of
// them (or the store's journal) changed by the input, opened by the store,
// then checked and written when the store is ready.
//   byte 0: the file (SDA, MDA, STF, JRN); byte 1 bit 0: cut the file at the
//   end of the input; bytes 2-5: where the rest goes (modulo the size).
#include "tests/app/core/fuzz/FuzzEvent.h"

#include "app/core/FileSystem.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> gBlank[3];
const char* const kExt[4] = {"SDA", "MDA", "STF", "JRN"};

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> b;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[65536];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) b.insert(b.end(), buf, buf + n);
    std::fclose(f);
  }
  return b;
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& b) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kel::fuzz::SetUpProgramFolder();
  // An event of twelve classes of 13 athletes and 7 disciplines.
  gEventDef = std::make_unique<EventDefinition>();
  std::memset(gEventDef.get(), 0, sizeof(EventDefinition));
  gEventDef->classCount = kMaxClasses;
  for (int c = 0; c < kMaxClasses; ++c) {
    ClassRecord& cr = gEventDef->classes[c];
    cr.Modus = static_cast<int16_t>(c % 5);
    cr.Index = static_cast<int16_t>(c);
    cr.athletesPerTeam = kMaxAthletes;
    cr.disciplineCount = kMaxDisciplines;
    cr.teamPlaces = kMaxTeams;
    cr.oldestYear = 95;
    cr.youngestYear = 99;
    for (int k = 0; k < kMaxDisciplines; ++k) gEventDef->disciplines[c][k].type = k == 2 ? 4 : k;
  }
  gEventName = "/FUZZ.";
  gEventLoaded = 1;
  CreateBlankDataFiles();
  for (int i = 0; i < 3; ++i) gBlank[i] = ReadAll(DataFilePath(kExt[i]));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const int file = data[0] % 4;
  const bool cut = data[1] & 1;
  uint32_t at = 0;
  std::memcpy(&at, data + 2, 4);
  data += 6;
  size -= 6;
  for (int i = 0; i < 3; ++i) WriteAll(DataFilePath(kExt[i]), gBlank[i]);
  std::vector<uint8_t> b = file < 3 ? gBlank[file] : std::vector<uint8_t>();
  const size_t start = b.empty() ? 0 : at % b.size();
  if (b.size() < start + size) b.resize(start + size);
  if (size > 0) std::memcpy(b.data() + start, data, size);
  if (cut) b.resize(start + size);
  WriteAll(DataFilePath(kExt[file]), b);
  kel::fuzz::UseLoadedEvent();
  std::remove(DataFilePath("JRN").c_str());
  return 0;
}
