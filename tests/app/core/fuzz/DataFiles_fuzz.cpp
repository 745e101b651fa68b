// Fuzzes the data-file loader: the fixtures' data set of a real event with
// one of its files (or the store's journal) changed by the input, opened by
// the store, then checked and written when the store is ready. The event
// keeps the two classes the data set fills: the store reads the same code
// for every class, and a run that reads twelve costs six times as much.
//   byte 0: the file (SDA, MDA, STF, JRN); byte 1 bit 0: cut the file at the
//   end of the input; bytes 2-5: where the rest goes (modulo the part of
//   the file the two classes use, the header included).
#include "tests/app/core/fuzz/FuzzEvent.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const char* const kExt[4] = {"SDA", "MDA", "STF", "JRN"};
constexpr int32_t kClasses = 2;
const size_t kUsed[4] = {TeamOffset(kClasses, 0), AthleteOffset(kClasses, 0, 0), kStfFileSize, 0};
std::vector<uint8_t> gBase[3];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  kel::fuzz::SetUpProgramFolder();
  kel::fuzz::State().eventDef->classCount = kClasses;
  for (int i = 0; i < 3; ++i) gBase[i] = kel::fuzz::Files().Contents(DataFilePath(kel::fuzz::State(), kExt[i]));
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
  kel::fuzz::MemoryFiles& files = kel::fuzz::Files();
  std::vector<uint8_t>& b = files.Contents(DataFilePath(kel::fuzz::State(), kExt[file]));
  const size_t used = std::min(b.size(), kUsed[file]);
  const size_t start = used == 0 ? 0 : at % used;
  if (b.size() < start + size) b.resize(start + size);
  if (size > 0) std::memcpy(b.data() + start, data, size);
  if (cut) b.resize(start + size);
  const uint64_t changes = files.Changes();
  {
    Memory store(kel::fuzz::State());
    if (store.isReady()) kel::fuzz::UseLoadedEvent(store);
  }
  // The next run starts from the fixtures' files again: the bytes the input
  // changed go back, or every file when the program wrote to one (the
  // journal may write to any of them).
  if (files.Changes() == changes) {
    if (file < 3) {
      const std::vector<uint8_t>& base = gBase[file];
      const size_t end = std::min(start + size, base.size());
      if (start < end) std::memcpy(b.data() + start, base.data() + start, end - start);
      if (b.size() > base.size())
        b.resize(base.size());
      else
        b.insert(b.end(), base.begin() + static_cast<std::ptrdiff_t>(b.size()), base.end());
    }
  } else {
    for (int i = 0; i < 3; ++i) {
      std::vector<uint8_t>& now = files.Contents(DataFilePath(kel::fuzz::State(), kExt[i]));
      if (now != gBase[i]) now = gBase[i];
    }
  }
  files.remove(DataFilePath(kel::fuzz::State(), "JRN"));
  return 0;
}
