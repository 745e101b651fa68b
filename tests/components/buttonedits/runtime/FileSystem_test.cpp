#include "components/buttonedits/runtime/FileSystem.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/Exception.h"
#include "components/buttonedits/runtime/FileCalls.h"
#include "tests/support/TestFiles.h"

TEST(FileSystem, SplitFileNameTypes) {
  struct Case {
    const char* in;
    const char* upper;
    int32_t type;
    const char* typeName;
    const char* resName;
  } cases[] = {
      {"bitmap\\logo", "BITMAP\\LOGO", 2, "", "LOGO"},
      {"RT_Dialog\\main", "RT_DIALOG\\MAIN", 5, "", "MAIN"},
      {"group_icon\\app", "GROUP_ICON\\APP", 14, "", "APP"},
      {"Version\\1", "VERSION\\1", 16, "", "1"},
      {"Forms\\TMain\\x", "FORMS\\TMAIN\\X", 0, "FORMS", "TMAIN\\X"},
      {"noslash", "NOSLASH", 0, "", ""},
  };
  for (const Case& c : cases) {
    AnsiString name = c.in, typeName, resName;
    int32_t type = -1;
    TResFileSystem::SplitFileName(name, type, typeName, resName);
    EXPECT_EQ(name, c.upper);
    EXPECT_EQ(type, c.type) << c.in;
    EXPECT_EQ(typeName, c.typeName) << c.in;
    EXPECT_EQ(resName, c.resName) << c.in;
  }
}

TEST(FileSystem, TheSharedFileSystemIsNeverFreedAndDescriptorsAreCountedUses) {
  TFileSystem* shared = GetFileSystem("");
  EXPECT_EQ(shared, &Win32FileSystem());
  ReleaseFileSystem(shared);
  ReleaseFileSystem(shared);
  EXPECT_EQ(GetFileSystem(""), &Win32FileSystem());
  EXPECT_EQ(GetFilerID(*shared), "");

  const AnsiString id = GetResFileSystemFilerID("C:\\prog\\forms.dll");
  TFileSystem* a = GetFileSystem(id);
  TFileSystem* b = GetFileSystem(id);
  ASSERT_EQ(a, b);
  EXPECT_EQ(static_cast<TResFileSystem*>(a)->FileName(), "C:\\prog\\forms.dll");
  EXPECT_EQ(a->GetFileSystemLevel(), 1);
  EXPECT_EQ(GetFilerID(*a), id);
  EXPECT_EQ(CachedFileSystemCount(), 1);
  ReleaseFileSystem(a);
  EXPECT_EQ(CachedFileSystemCount(), 1);
  ReleaseFileSystem(b);
  EXPECT_EQ(CachedFileSystemCount(), 0);

  const AnsiString longName(300, 'x');
  TFileSystem* l = GetFileSystem(GetResFileSystemFilerID(longName));
  EXPECT_EQ(static_cast<TResFileSystem*>(l)->FileName(), longName);
  ReleaseFileSystem(l);
}

TEST(FileSystem, DescriptorsThatAreNotUnderstoodRaise) {
  const AnsiString good = GetResFileSystemFilerID("m.dll");
  for (const AnsiString& bad : {AnsiString("junk"), good.substr(0, good.size() - 1), good + "x",
                                AnsiString("TPF0\x0ETFileSystemXYZ\0\0\0", 21)}) {
    try {
      GetFileSystem(bad);
      ADD_FAILURE() << "accepted";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), "Fehler in Eigenschaften stream");
    }
  }
  EXPECT_EQ(CachedFileSystemCount(), 0);
}

TEST(FileSystem, FailuresRaiseTheGermanTextsWithTheNames) {
  kel::test::TempDir tmp;
  const char s = filecalls::Separator();
  const AnsiString missing = tmp.path() + s + "fehlt.txt";
  try {
    RenameFileExcept(missing, tmp.path() + s + "neu.txt");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Kann Datei " + missing + " nicht in " + tmp.path() + s + "neu.txt umbenennen");
  }
  EXPECT_NO_THROW(DeleteFileExcept(missing));
  const AnsiString temp = TempFileName(tmp.path() + s + "Meldung.vov");
  EXPECT_TRUE(filecalls::FileExists(temp));
  EXPECT_EQ(temp.compare(0, tmp.path().size(), tmp.path()), 0);
  EXPECT_THROW(TempFileName(tmp.path() + s + "nicht" + s + "da.txt"), EWriteError);
  EXPECT_TRUE(Win32FileSystem().RenameFile(temp, missing));
  EXPECT_FALSE(Win32FileSystem().IsReadonly(missing));
  DeleteFileExcept(missing);
  EXPECT_FALSE(filecalls::FileExists(missing));
}
