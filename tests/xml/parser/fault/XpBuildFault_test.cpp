// Building a tree when an allocation fails: whichever allocation of a load
// fails, the load ends with an empty document and every node made on the
// way is freed. A node still held shows as slabs that do not come back to
// the node cache when its document goes; a heap block still held is found
// by the leak checker.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/FailingAllocator.h"
#include "xml/dom/XpDocument.h"
#include "xml/dom/XpElement.h"
#include "xml/dom/XpNodePool.h"
#include "xml/dom/XpObjModel.h"

namespace {

// Every kind of node the builder makes, with texts too long to be kept
// inside a string object.
constexpr char kDocument[] = R"(<?xml version="1.0"?>
<?xml-stylesheet href="a-style-sheet-with-a-long-name.xsl" type="text/xsl"?>
<!DOCTYPE Meldebogen [
  <!ELEMENT Meldebogen (Schule+, Leer?)>
  <!ELEMENT Schule (#PCDATA|Name)*>
  <!ELEMENT Name (#PCDATA)>
  <!ELEMENT Leer EMPTY>
  <!ATTLIST Schule Nummer CDATA #REQUIRED Ort CDATA "a default town of some length" Art (G|R|H) "G">
  <!ENTITY gruss "a greeting long enough for a heap block">
  <!NOTATION gif PUBLIC "an image format's public identifier">
  <!ENTITY bild SYSTEM "a-picture-file-with-a-long-name.gif" NDATA gif>
]>
<Meldebogen>
  <!-- a comment long enough for a heap block of its own -->
  <Schule Nummer="12654">A school's text &gruss; and more<![CDATA[a CDATA section of some length]]><Name>Goethe-Gymnasium an der langen Strasse</Name></Schule>
  <Schule Nummer="2" Ort="a town given in the tag itself" Art="R"/>
  <Leer/>
</Meldebogen>
)";

bool Load(TXpObjModel& model) { return model.LoadMemory(kDocument, static_cast<int32_t>(std::strlen(kDocument))); }

TEST(BuildFault, AnyFailedAllocationOfALoadFreesEveryNodeMadeOnTheWay) {
  {
    TXpObjModel model(nullptr);
    ASSERT_TRUE(Load(model));
    ASSERT_GT(model.Document()->DocumentElement()->ChildNodes()->Length(), 3);
  }
  const size_t cached = XpNodeCacheBytes();
  // Up to the first load that no longer reaches the failing allocation.
  size_t n = 1;
  for (bool failed = true; failed; ++n) {
    {
      TXpObjModel model(nullptr);
      bool ok = false;
      kel::test::FailAllocation(n);
      try {
        ok = Load(model);
      } catch (const std::bad_alloc&) {
      }
      failed = kel::test::AllocationFailed();
      kel::test::FailAllocation(0);
      if (failed && !ok) {
        EXPECT_FALSE(model.Document()->HasChildNodes()) << "allocation " << n;
      }
    }
    ASSERT_EQ(XpNodeCacheBytes(), cached) << "nodes left behind when allocation " << n << " failed";
  }
  EXPECT_GT(n, 50u);  // the document takes many allocations
}

}  // namespace
