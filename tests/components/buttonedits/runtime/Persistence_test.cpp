#include <gtest/gtest.h>

#include <numeric>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/HexLines.h"
#include "components/buttonedits/runtime/RegistryPersistence.h"

namespace {

// Runs a test against a chunking memory store, as on systems where one
// registry value is limited in size.
class ChunkedStore : public ::testing::Test {
 protected:
  void SetUp() override {
    store_.Chunked = true;
    SetRegStore(&store_);
  }
  void TearDown() override { SetRegStore(nullptr); }
  TMemoryRegStore store_;
};

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + i / 256);
  return v;
}

}  // namespace

TEST_F(ChunkedStore, LongBuffersAreCutInto8192ByteChunksBehindAHeader) {
  const std::vector<uint8_t> data = Pattern(20000);
  ASSERT_TRUE(WriteLongBufToRegistry("Form\\Layout", data.data(), 20000));
  AnsiString key, name;
  SplitRegPath("Form\\Layout", key, name);
  EXPECT_EQ(key, "Software\\Tarnel Company\\Velmor Report\\Version 4.01\\Form");
  TRegDataKind kind;
  std::vector<uint8_t> value;
  ASSERT_TRUE(store_.ReadValue(key, name, kind, value));
  EXPECT_EQ(AnsiString(value.begin(), value.end()), "__Long RegKey__0000020000 0000008192");
  const size_t sizes[] = {8192, 8192, 3616};
  for (int n = 0; n < 3; ++n) {
    ASSERT_TRUE(store_.ReadValue(key, name + "__" + std::to_string(n), kind, value)) << n;
    EXPECT_EQ(value.size(), sizes[n]);
  }
  EXPECT_EQ(GetLongRegBufSize("Form\\Layout"), 20000);
  std::vector<uint8_t> back(20000);
  EXPECT_EQ(ReadLongBufFromRegistry("Form\\Layout", back.data(), 20000), 20000);
  EXPECT_EQ(back, data);
  std::vector<uint8_t> part(100);
  EXPECT_EQ(ReadLongBufFromRegistry("Form\\Layout", part.data(), 100), 100);
  EXPECT_TRUE(std::equal(part.begin(), part.end(), data.begin()));
}

TEST_F(ChunkedStore, AValueWithoutHeaderOrWithABadOneReadsAsPlainBinary) {
  const uint8_t plain[] = {1, 2, 3};
  WriteBufToRegistry("Plain", plain, 3);
  uint8_t back[8] = {};
  EXPECT_EQ(ReadLongBufFromRegistry("Plain", back, 8), 3);
  EXPECT_EQ(back[2], 3);
  EXPECT_EQ(GetLongRegBufSize("Missing"), -1);
  EXPECT_EQ(ReadLongBufFromRegistry("Missing", back, 8), 0);
  const AnsiString bad = "__Long RegKey__0000020000 0000000000";
  WriteBufToRegistry("Bad", bad.data(), 36);
  EXPECT_EQ(GetLongRegBufSize("Bad"), 36);
}

TEST_F(ChunkedStore, ARegistryStreamIsWrittenBackOnlyWhenChanged) {
  {
    TRegistryStream s("Stream", TRegistryStream::ModeCreate);
    s.WriteBuffer("abc", 3);
  }
  const int32_t writes = store_.Writes;
  {
    TRegistryStream s("Stream", 0);
    char buf[3];
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(AnsiString(buf, 3), "abc");
  }
  EXPECT_EQ(store_.Writes, writes);
  {
    TRegistryStream s("Stream", 0);
    s.Seek(0, soEnd);
    s.WriteBuffer("d", 1);
  }
  char buf[8] = {};
  EXPECT_EQ(ReadLongBufFromRegistry("Stream", buf, 8), 4);
  EXPECT_EQ(AnsiString(buf, 4), "abcd");
  // A stream over a value that does not exist writes nothing when unused.
  { TRegistryStream s("Nothing", 0); }
  EXPECT_FALSE(RegValueExists("Nothing"));
}

TEST(RegistryValues, TypedValuesComeBackAsTheyWentAndUnsupportedTypesRaise) {
  const AnsiString base = "KelvoraTest\\";
  struct Case {
    const char* name;
    Variant value;
    Variant defaultValue;
  } cases[] = {
      {"Int", Variant::Integer(-42), Variant::Integer(0)},
      {"Small", Variant::Smallint(7), Variant::Integer(0)},
      {"Float", Variant::Double(2.5), Variant::Double(0)},
      {"Money", Variant::Currency(123456), Variant::Currency(0)},
      {"Flag", Variant::Boolean(true), Variant::Boolean(false)},
      {"Text", Variant::String("Gr\xFC\xDF" "e"), Variant::String("")},
      {"Wide", Variant::OleStr(u"wide"), Variant::String("")},
  };
  for (const Case& c : cases) {
    WriteToRegistry(base + c.name, c.value);
    const Variant back = ReadFromRegistry(base + c.name, c.defaultValue);
    if (c.value.VarType() == varSmallint || c.value.VarType() == varInteger || c.value.VarType() == varCurrency ||
        c.value.VarType() == varBoolean)
      EXPECT_EQ(back.AsInt(), c.value.AsInt()) << c.name;
    else if (c.value.VarType() == varDouble)
      EXPECT_EQ(back.AsFloat(), c.value.AsFloat()) << c.name;
    else
      EXPECT_EQ(back.AsString(), c.value.AsString()) << c.name;
  }
  // Missing, or stored as another kind: the default.
  EXPECT_EQ(ReadFromRegistry(base + "None", Variant::Integer(5)).AsInt(), 5);
  EXPECT_EQ(ReadFromRegistry(base + "Text", Variant::Integer(5)).AsInt(), 5);
  try {
    WriteToRegistry(base + "Array", Variant::Array({Variant::Integer(1)}));
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Dieser Typ wird nicht durch WriteToRegistry unterst\xFCtzt");
  }
  TStringList lines, back;
  lines.Add("eins");
  lines.Add("zwei");
  WriteStringsToRegistry(base + "Lines", lines);
  ReadStringsFromRegistry(base + "Lines", back);
  EXPECT_EQ(back.Text(), lines.Text());

  // A long text is read whole.
  const AnsiString longText(5000, 'x');
  WriteToRegistry(base + "Long", Variant::String(longText));
  EXPECT_EQ(ReadFromRegistry(base + "Long", Variant::String("")).AsString(), longText);

  EXPECT_TRUE(DCDeleteRegKey(RegistryKey, "KelvoraTest"));
  EXPECT_FALSE(RegValueExists(base + "Int"));
  EXPECT_TRUE(DCDeleteRegKey(RegistryKey, "KelvoraTest"));
}

TEST(HexLines, FortyBytesMakeALineOf64DigitsAndOneOf16) {
  std::vector<uint8_t> bytes(40);
  std::iota(bytes.begin(), bytes.end(), uint8_t(0xF0));
  TStringList lines;
  BytesToHexLines(bytes, lines);
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines.Strings(0).size(), 64u);
  EXPECT_EQ(lines.Strings(0).substr(0, 8), "F0F1F2F3");
  EXPECT_EQ(lines.Strings(1), "1011121314151617");
  std::vector<uint8_t> back;
  ASSERT_TRUE(HexLinesToBytes(lines, back));
  EXPECT_EQ(back, bytes);

  TStringList bad;
  bad.Add("0G");
  EXPECT_FALSE(HexLinesToBytes(bad, back));
  bad.Clear();
  bad.Add("ABC");
  EXPECT_FALSE(HexLinesToBytes(bad, back));
}

TEST(HexLines, BackupNames) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\a\\Meldung.vov", "C:\\a\\Meldung.~vo"},
      {"C:\\a\\Meldung", "C:\\a\\Meldung.~"},
      {"C:\\a.b\\Meldung", "C:\\a.b\\Meldung.~"},
      {"x.c", "x.~c"},
      {"x.html", "x.~ht"},
  };
  for (const Case& c : cases) EXPECT_EQ(FileBakName(c.in), c.out) << c.in;
}
