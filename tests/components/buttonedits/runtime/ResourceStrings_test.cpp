#include "components/buttonedits/runtime/ResourceStrings.h"

#include <gtest/gtest.h>

using namespace dcconsts;

TEST(ResourceStrings, TextsComeByIdInTheProgramsCodePage) {
  struct Case {
    TResStringRec rec;
    const char* text;
  } cases[] = {
      {_SSelectDirectory, "Verzeichniss w\xE4hlen"},
      {_SErrDuplicateItem, "Kann doppeltes Element nicht einf\xFCgen"},
      {_SErrStackEmpty, "Stapelspeicher ist leer"},
      {_SCancelButton, "Abbruch"},
      {_SErrMap, "Can't map file"},
      {{nullptr, 12345}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadResString(c.rec), c.text) << c.rec.Identifier;
}

TEST(ResourceStrings, FormattedTextsQuoteFileNamesAndTreatUpperCaseSLikeLowerCase) {
  EXPECT_EQ(ResStrFmt(_SErrOCXLoadFail, "a.ocx"), "Laden von \"a.ocx\" gescheitert");
  EXPECT_EQ(ResStrFmt(_SErrOCXCantFindProc, "DllRegisterServer", "a.ocx"),
            "DllRegisterServer Prozedur nicht gefunden in \"a.ocx\"");
  EXPECT_EQ(ResStrFmt(_SErrDeleteFile, "C:\\x.txt"), "Kann Datei C:\\x.txt nicht l\xF6schen");
  EXPECT_EQ(ResStrFmt(_sErrCantOpen, "m.dll", 5), "Kann Modul m.dll\r\n nicht \xF6\x66\x66nen Fehlercode : 5");
  EXPECT_EQ(FormatResText("%%S %-4S|", "ab"), "%S ab  |");
  EXPECT_EQ(ResStrFmt(SListIndexError, 7), "Der Index der Liste \xFC\x62\x65rschreitet das Maximum (7)");
}
