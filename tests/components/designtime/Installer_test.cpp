// Setup helpers under Wine, in the build's own prefix: uninstall entries,
// resources, links, standard folders, running programs, deleting files in
// use.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "classlib/StringList.h"
#include "components/buttonedits/runtime/PathHelpers.h"
#include "components/designtime/NameValue.h"
#include "components/designtime/ProgramRunner.h"
#include "components/designtime/ResourceData.h"
#include "components/designtime/ShellLink.h"
#include "components/designtime/SystemFolders.h"
#include "components/designtime/UninstallEntries.h"
#include "tests/support/TestFiles.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Files of the name RunProgram captures output in.
int CaptureFiles() {
  int n = 0;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((GetTemporaryPath() + "\\tem*.tmp").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do ++n;
  while (FindNextFileA(h, &found));
  FindClose(h);
  return n;
}

TEST(Uninstall, EntriesAreAddedReadListedAndRemovedWithTheirSubkeys) {
  const AnsiString product = GetUniqueString("KelTest ");
  EXPECT_FALSE(IsAppInstalled(product));
  ASSERT_TRUE(AddUnInstaller(product, "C:\\kel\\uninst.exe /x"));
  EXPECT_TRUE(IsAppInstalled(product));
  EXPECT_EQ(GetUnInstallInfo(product, "DisplayName"), product);
  EXPECT_EQ(GetUnInstallInfo(product, "UninstallString"), "C:\\kel\\uninst.exe /x");
  ASSERT_TRUE(AddUnInstallInfo(product, "Version", "2011.2"));
  EXPECT_EQ(GetUnInstallInfo(product, "Version"), "2011.2");
  EXPECT_EQ(GetUnInstallInfo(product, "Fehlt"), "");

  TStringList files, back;
  files.Add("C:\\kel\\a.dll");
  files.Add("C:\\kel\\b.hlp");
  ASSERT_TRUE(AddUnInstallFilesInfo(product, files));
  ASSERT_TRUE(GetUninstallFilesInfo(product, back));
  back.SetSorted(true);
  EXPECT_EQ(back.Text(), files.Text());
  // The file values carry the integer 0.
  HKEY h = nullptr;
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + product + "\\Files";
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
  DWORD type = 0, value = 1, size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(h, "C:\\kel\\a.dll", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 0u);
  RegCloseKey(h);

  // The whole entry goes, "Files" subkey and all.
  EXPECT_TRUE(RemoveUnInstaller(product));
  EXPECT_FALSE(IsAppInstalled(product));
  back.Clear();
  EXPECT_FALSE(GetUninstallFilesInfo(product, back));
  EXPECT_FALSE(RemoveUninstallFilesInfo(product));
}

TEST(Resources, AStringResourceWrittenIntoACopyOfAProgramReadsBack) {
  // The program's own RCDATA resource.
  EXPECT_EQ(LoadStringFromRCData("KELDATA"), "Eintrag aus den Ressourcen");
  EXPECT_EQ(LoadStringFromRCData("FEHLT"), "");

  kel::test::TempDir dir;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string copy = dir / "kopie.exe";
  ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
  ASSERT_TRUE(AddStringResource(copy, "SETUPTEXT", "Willkommen zur Installation"));
  const uint8_t bytes[] = {0, 1, 2, 255};
  ASSERT_TRUE(AddRCDataResource(copy, "SETUPDATA", bytes, sizeof bytes));
  EXPECT_FALSE(AddStringResource(dir / "fehlt.exe", "X", "y"));

  HMODULE module = LoadLibraryExA(copy.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(LoadStringFromRCData("SETUPTEXT", module), "Willkommen zur Installation");
  EXPECT_EQ(LoadStringFromRCData("KELDATA", module), "Eintrag aus den Ressourcen");  // kept
  const void* data = nullptr;
  uint32_t size = 0;
  HGLOBAL handle = GetResData("SETUPDATA", data, size, module);
  ASSERT_NE(handle, nullptr);
  ASSERT_EQ(size, sizeof bytes);
  EXPECT_EQ(std::memcmp(data, bytes, size), 0);
  ReleaseResData(handle);
  FreeLibrary(module);
}

TEST(ShellLinks, ALinkRoundTripsItsPathAndArguments) {
  kel::test::TempDir dir;
  const std::string link = dir / "Kelvora.lnk";
  ASSERT_TRUE(CreateLink("C:\\windows\\notepad.exe", link, "/p liste.txt", "Meldeprogramm"));
  ASSERT_TRUE(Exists(link));

  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IShellLinkA* shell = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&shell))));
  IPersistFile* persist = nullptr;
  ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
  std::wstring wide(link.begin(), link.end());
  ASSERT_TRUE(SUCCEEDED(persist->Load(wide.c_str(), STGM_READ)));
  char text[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(shell->GetPath(text, MAX_PATH, nullptr, 0)));
  EXPECT_STREQ(text, "C:\\windows\\notepad.exe");
  ASSERT_TRUE(SUCCEEDED(shell->GetArguments(text, MAX_PATH)));
  EXPECT_STREQ(text, "/p liste.txt");
  ASSERT_TRUE(SUCCEEDED(shell->GetDescription(text, MAX_PATH)));
  EXPECT_STREQ(text, "Meldeprogramm");
  persist->Release();
  shell->Release();
  CoUninitialize();
}

TEST(Folders, StandardFoldersTemplatesAndUniqueNames) {
  EXPECT_EQ(SystemDirectory(), "C:\\windows\\system32");
  EXPECT_EQ(WindowsDirectory(), "C:\\windows");
  EXPECT_EQ(ProgramFilesDirectory(), "C:\\Program Files\\");
  const AnsiString programs = StartMenuProgramsFolder();
  EXPECT_FALSE(programs.empty());
  EXPECT_EQ(programs.back(), '\\');
  EXPECT_EQ(ProcessFileTemplate("copy a.dll %SYSTEM%\\a.dll; %SYSTEM%"),
            "copy a.dll C:\\windows\\system32\\a.dll; C:\\windows\\system32");

  const GUID guid = {0x12345678, 0x9abc, 0xdef0, {1, 2, 3, 4, 5, 6, 7, 8}};
  EXPECT_EQ(StringFromGUID(guid), "{12345678-9ABC-DEF0-0102-030405060708}");
  const AnsiString a = GetUniqueString("Kel"), b = GetUniqueString("Kel");
  EXPECT_EQ(a.size(), 3u + 38u);
  EXPECT_NE(a, b);
  const AnsiString temp = GetTemporaryFileName("kel");
  ASSERT_FALSE(temp.empty());
  EXPECT_TRUE(Exists(temp));
  EXPECT_NE(temp.find("\\kel"), AnsiString::npos);
  DeleteFileA(temp.c_str());

  kel::test::TempDir dir;
  TStringList folders;
  folders.Add(dir / "a\\b\\c");
  folders.Add(dir / "d");
  EXPECT_TRUE(CreateFolders(folders));
  EXPECT_TRUE(Exists(dir / "a\\b\\c"));
  EXPECT_TRUE(Exists(dir / "d"));
}

TEST(Programs, RunProgramCapturesOutputAndReportsOnlyAFailure) {
  kel::test::TempDir dir;
  const int capturesBefore = CaptureFiles();
  const struct {
    const char* command;
    bool ok;
    const char* output;
  } cases[] = {
      {"cmd.exe /c echo Hallo", true, "Hallo\r\n"},
      {"cmd.exe /c echo Fehler>&2& exit 3", false, "Fehler\r\nProgram failed with code (3)\r\n"},
      {"C:\\gibt\\es\\nicht.exe", false, "Program failed with code (2)\r\n"},  // not found
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    TStringList output;
    EXPECT_EQ(RunProgram(c.command, dir.path(), output, true), c.ok);
    EXPECT_EQ(output.Text(), c.output);
  }
  EXPECT_EQ(CaptureFiles(), capturesBefore);  // each capture file is gone

  EXPECT_EQ(RunBatFile("cmd.exe /c exit 7"), 7);
  EXPECT_EQ(RunBatFileEx("C:\\gibt\\es\\nicht.exe", true), -1);
}

TEST(Programs, RemoveFileDefersTheDeletionOfAFileInUse) {
  kel::test::TempDir dir;
  // A free file goes at once, without a batch file.
  const std::string free = dir / "frei.dll";
  std::ofstream(free) << "x";
  EXPECT_TRUE(RemoveFile(free));
  EXPECT_FALSE(Exists(free));
  WIN32_FIND_DATAA found;
  HANDLE none = FindFirstFileA((dir / "$delme*.bat").c_str(), &found);
  EXPECT_EQ(none, INVALID_HANDLE_VALUE);
  if (none != INVALID_HANDLE_VALUE) FindClose(none);

  // An open file is deleted by the batch once it is closed; then the
  // batch deletes itself. "%" in the name survives the batch.
  const std::string busy = dir / "in 100% Benutzung.dll";
  HANDLE held = CreateFileA(busy.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(RemoveFile(busy));
  EXPECT_TRUE(Exists(busy));
  HANDLE batch = FindFirstFileA((dir / "$delme*.bat").c_str(), &found);
  ASSERT_NE(batch, INVALID_HANDLE_VALUE);
  FindClose(batch);
  CloseHandle(held);
  for (int i = 0; i < 200 && (Exists(busy) || Exists(dir / found.cFileName)); ++i) Sleep(50);
  EXPECT_FALSE(Exists(busy));
  EXPECT_FALSE(Exists(dir / found.cFileName));
}

}  // namespace
