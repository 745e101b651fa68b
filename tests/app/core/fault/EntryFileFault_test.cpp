// The entry file when an allocation fails: whichever allocation of
// building and saving the document fails, the writer gives the whole file
// or answers false and leaves none, and every node it made is freed with
// its model. (The file system's own failures are tested with the writer.)
#include "app/core/EntryFileWriter.h"
#include "app/core/EventTable.h"
#include "app/core/Memory.h"
#include "classlib/Stream.h"
#include "tests/app/core/EntryFileSample.h"
#include "tests/app/core/TestSupport.h"
#include "tests/support/FailingAllocator.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpObjModel.h"

#include <filesystem>

namespace kel::test {
namespace {

class EntryFileFault : public CoreTest {};

TEST_F(EntryFileFault, AnyFailedAllocationGivesTheWholeFileOrNone) {
  EventDefinition def;
  MakeSampleEvent(def);
  std::vector<ClassRecord> classes(def.classes, def.classes + 2);
  UseEvent(classes, {{def.disciplines[0][0], def.disciplines[0][1]}, {def.disciplines[1][0]}});
  EntrySelectionTable selection;
  std::memset(selection, 0, sizeof selection);
  FillSampleStore(*state_.memory, selection);
  const std::string target = dir_ / "Meldung.VOV";
  // Writes with the n-th allocation failing (none for 0); whether it failed.
  auto write = [&](size_t n, bool& written) {
    TXpObjModel xml(nullptr);
    const EntryFileWriter writer(*state_.eventDef, *state_.memory, selection, "{6F2A-11}", "");
    FailAllocation(n);
    written = writer.WriteEntryFile(xml, target);
    const bool failed = AllocationFailed();
    FailAllocation(0);
    return failed;
  };
  bool written = false;
  write(0, written);
  ASSERT_TRUE(written);
  const std::vector<uint8_t> whole = ReadBytes(target);
  std::filesystem::remove(target);
  // The allocations before the file is written: the document built and
  // saved into memory.
  size_t building = 0;
  {
    TXpObjModel xml(nullptr);
    const EntryFileWriter writer(*state_.eventDef, *state_.memory, selection, "{6F2A-11}", "");
    FailAllocation(0);
    writer.BuildDocument(xml);
    TMemoryStream bytes;
    xml.SaveToStream(bytes);
    building = AllocationsCounted();
  }
  ASSERT_GT(building, 10u);
  const size_t cached = XpNodeCacheBytes();
  for (size_t n = 1; n <= building; ++n) {
    ASSERT_TRUE(write(n, written)) << n;
    if (written) {
      EXPECT_EQ(ReadBytes(target), whole) << "allocation " << n;
      std::filesystem::remove(target);
    } else {
      EXPECT_FALSE(std::filesystem::exists(target)) << "allocation " << n;
    }
    ASSERT_EQ(XpNodeCacheBytes(), cached) << "nodes left behind when allocation " << n << " failed";
  }
}

}  // namespace
}  // namespace kel::test
