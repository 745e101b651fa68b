#include <gtest/gtest.h>

#include "components/buttonedits/runtime/FileAssociation.h"
#include "components/buttonedits/runtime/FileCalls.h"
#include "components/buttonedits/runtime/LogData.h"

namespace {

AnsiString Default(TMemoryRegStore& store, const AnsiString& key) {
  TRegDataKind kind;
  std::vector<uint8_t> data;
  if (!store.ReadValue(key, "", kind, data) || kind != TRegDataKind::String) return "<none>";
  return AnsiString(data.begin(), data.end());
}

}  // namespace

TEST(FileTypes, AnExtensionNamesItsTypeWithIconAndOpenCommandAndGoesWhole) {
  TMemoryRegStore store;
  store.WriteValue(".txt", "", TRegDataKind::String, {'t'});
  ASSERT_TRUE(AssociateFileExt(".vov", "Kelvora.Meldung", "C:\\Kelvora\\kelvora.exe", 2, "C:\\Kelvora\\kelvora.exe",
                               store));
  EXPECT_EQ(Default(store, ".vov"), "Kelvora.Meldung");
  EXPECT_EQ(Default(store, "Kelvora.Meldung\\DefaultIcon"), "C:\\Kelvora\\kelvora.exe,2");
  EXPECT_EQ(Default(store, "Kelvora.Meldung\\Shell\\Open\\Command"), "C:\\Kelvora\\kelvora.exe \"%1\"");
  UnAssociateFileExt(".vov", "Kelvora.Meldung", store);
  for (const char* key : {".vov", "Kelvora.Meldung", "Kelvora.Meldung\\Shell", "Kelvora.Meldung\\DefaultIcon"})
    EXPECT_FALSE(store.KeyExists(key)) << key;
  EXPECT_TRUE(store.KeyExists(".txt"));
}

TEST(FileTypes, LogNamesAreFreshGuidsInTheProgramsLogFolderAndValuesGoToTheWriter) {
  const AnsiString a = GetLogDataFileName(), b = GetLogDataFileName();
  const AnsiString folder = filecalls::ExeFolder() + "LOGS" + filecalls::Separator();
  EXPECT_EQ(a.substr(0, folder.size()), folder);
  EXPECT_TRUE(filecalls::DirectoryExists(folder));
  const AnsiString name = a.substr(folder.size());
  ASSERT_EQ(name.size(), 38u + 4u);
  EXPECT_EQ(name.front(), '{');
  EXPECT_EQ(name.substr(37), "}.log");
  EXPECT_EQ(name[9], '-');
  EXPECT_NE(a, b);

  WriteToLog(Variant::Integer(1));  // no writer: nothing
  std::vector<Variant> logged;
  SetLogWriter([&](const Variant& v) { logged.push_back(v); });
  WriteToLog(Variant::String("x"));
  SetLogWriter(nullptr);
  WriteToLog(Variant::String("y"));
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0], Variant::String("x"));
}
