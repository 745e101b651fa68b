// The settings reader of the build reads what the Windows profile functions
// read: the same table runs natively against the program's own reader and
// under Wine against GetPrivateProfileStringA / GetPrivateProfileIntA.
#include "app/core/Platform.h"
#include "tests/app/core/TestSupport.h"

#include <string>

namespace kel::test {
namespace {

struct ProfileCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  const char* text;  // GetPrivateProfileString with the default "DEF"
  int32_t number;    // GetPrivateProfileInt with the default 77
};

const ProfileCase kCases[] = {
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF[Veranstaltung]\r\nVID={AB}\r\n", "Veranstaltung", "VID", "{AB}", 0},
    {"mark before another section", "\xEF\xBB\xBF[A]\r\nx=1\r\n[Veranstaltung]\r\nVID={AB}\r\n", "Veranstaltung",
     "VID", "{AB}", 0},
    {"CR-only lines", "[A]\rx=1\r[Veranstaltung]\rVID={AB}\r", "Veranstaltung", "VID", "{AB}", 0},
    {"LF-only lines", "[Veranstaltung]\nVID=7\n", "Veranstaltung", "VID", "7", 7},
    {"UTF-16 file", std::string("\xFF\xFE[\0B\0]\0\r\0\n\0M\0=\0" "6\0\r\0\n\0", 22), "B", "M", "6", 6},
    {"empty value", "[B]\r\nM=\r\n", "B", "M", "", 77},
    {"blank value", "[B]\r\nM=   \r\n", "B", "M", "", 77},
    {"hex", "[B]\r\nM=0x10\r\n", "B", "M", "0x10", 16},
    {"hex with capital X", "[B]\r\nM=0X1f\r\n", "B", "M", "0X1f", 0},
    {"negative hex", "[B]\r\nM=-0x10\r\n", "B", "M", "-0x10", -16},
    {"binary and octal prefixes", "[B]\r\nM=0b101\r\n", "B", "M", "0b101", 5},
    {"leading zero is decimal", "[B]\r\nM=010\r\n", "B", "M", "010", 10},
    {"beyond 32 bits wraps", "[B]\r\nM=4294967297\r\n", "B", "M", "4294967297", 1},
    {"just above int32", "[B]\r\nM=2147483648\r\n", "B", "M", "2147483648", INT32_MIN},
    {"just below int32", "[B]\r\nM=-2147483649\r\n", "B", "M", "-2147483649", INT32_MAX},
    {"smallest int32", "[B]\r\nM=-2147483648\r\n", "B", "M", "-2147483648", INT32_MIN},
    {"more than 29 characters", "[B]\r\nM=000000000000000000000000000000000000012\r\n", "B", "M",
     "000000000000000000000000000000000000012", 0},
    {"plus sign", "[B]\r\nM=+7\r\n", "B", "M", "+7", 7},
    {"text behind the digits", "[B]\r\nM=12abc\r\n", "B", "M", "12abc", 12},
    {"no digits", "[B]\r\nM=abc\r\n", "B", "M", "abc", 0},
    {"quotes", "[B]\r\nM=\"5\"\r\n", "B", "M", "5", 5},
    {"blanks and tabs around", "[B]\r\n  M  =\t 12 \t\r\n", "B", "M", "12", 12},
    {"comment line", "[B]\r\n;M=5\r\nM=6\r\n", "B", "M", "6", 6},
    {"first of two keys", "[B]\r\nM=5\r\nM=6\r\n", "B", "M", "5", 5},
    {"key in a second section of the name", "[B]\r\nX=1\r\n[B]\r\nM=6\r\n", "B", "M", "DEF", 77},
    {"blanks in the section name", "[ b ]\r\nm=6\r\n", "B", "M", "6", 6},
    {"line without =", "[B]\r\nM\r\n", "B", "M", "DEF", 77},
};

class ProfileReaderTest : public CoreTest {};

TEST_F(ProfileReaderTest, ReadsWhatTheProfileFunctionsRead) {
  Platform& system = defaultPlatform();
  int n = 0;
  for (const ProfileCase& k : kCases) {
    SCOPED_TRACE(k.name);
    // A file of its own per case: the system keeps read files in a cache.
    const std::string path = dir_ / ("p" + std::to_string(n++) + ".ini");
    WriteBytes(path, std::vector<uint8_t>(k.file.begin(), k.file.end()));
    EXPECT_EQ(system.getProfileString(k.section, k.key, "DEF", path), k.text);
    EXPECT_EQ(system.getProfileInt(k.section, k.key, 77, path), k.number);
  }
}

}  // namespace
}  // namespace kel::test
