// The development-environment and audio helpers under Wine: a fake
// installation in the prefix's registry, the environment's window made by
// the test, a device table in place of the sound device.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/StringList.h"
#include "components/designtime/AudioVolume.h"
#include "components/designtime/DevEnvironment.h"
#include "components/designtime/SystemFolders.h"
#include "components/designtime/UninstallEntries.h"

namespace {

struct Asked {
  std::string text, title;
  UINT flags;
};
std::vector<Asked> gAsked;
int gAnswer = IDOK;

int RecordBox(HWND, const char* text, const char* title, UINT flags) {
  gAsked.push_back({text, title, flags});
  return gAnswer;
}

TEST(DevEnvironment, FoldersComeFromTheVersionsRegistryEntry) {
  const TIDEVersion version = IDEVersionFromName("p3");
  EXPECT_EQ(version, TIDEVersion::Pas3);
  EXPECT_EQ(IDEVersionFromName("unbekannt"), TIDEVersion::Cpp1);  // the fifth value
  const std::string key = std::string("Software\\Quantelo Tools\\") + IDEVersionInfo(version).registryKey;
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  EXPECT_EQ(IDERootDir(version), "");
  EXPECT_EQ(IDEHelpDir(version), "");

  HKEY h = CreateRegKey(HKEY_LOCAL_MACHINE, key);
  ASSERT_NE(h, nullptr);
  ASSERT_TRUE(ChangeRegStrValue(h, "RootDir", "C:\\Studio3"));
  RegCloseKey(h);
  EXPECT_EQ(IDERootDir(version), "C:\\Studio3\\");
  EXPECT_EQ(IDEHelpDir(version), "C:\\Studio3\\HELP\\");
  EXPECT_EQ(IDESourceDirs(version), "C:\\Studio3\\Lib;C:\\Studio3\\Source");
  EXPECT_TRUE(CheckIDEVersion(version));  // the table expects no particular build
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());

  const AnsiString build = IDEBuildDir(version);
  ASSERT_FALSE(build.empty());
  EXPECT_NE(GetFileAttributesA(build.c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryA(build.c_str());
}

TEST(DevEnvironment, TheCompilerOutputKeepsOnlyItsErrors) {
  TStringList output;
  output.SetText(
      "Quantelo Compiler 4.0\r\n  Error: unit1.pas(12) Undeclared identifier\r\nHint: x is never used\r\n"
      "\tFatal: Could not compile used unit\r\nerror: lower case\r\n12 lines, 0.1 seconds\r\n");
  ConvertErrors(output);
  EXPECT_EQ(output.Text(),
            "Quantelo Compiler 4.0\r\nError: unit1.pas(12) Undeclared identifier\r\n"
            "Fatal: Could not compile used unit\r\n");
}

TEST(DevEnvironment, ChecksAskOnlyWhenTheEnvironmentRunsOrTheProductIsInstalled) {
  SetInstallMessageBox(RecordBox);
  gAsked.clear();
  EXPECT_TRUE(CheckIDERunning("Kelvora Edits"));
  EXPECT_TRUE(gAsked.empty());

  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TAppBuilder";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND ide = CreateWindowA("TAppBuilder", "Studio", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ASSERT_NE(ide, nullptr);
  for (int answer : {IDCANCEL, IDOK}) {
    gAnswer = answer;
    EXPECT_EQ(CheckIDERunning("Kelvora Edits"), answer == IDOK);
  }
  DestroyWindow(ide);
  UnregisterClassA("TAppBuilder", wc.hInstance);
  ASSERT_EQ(gAsked.size(), 2u);
  EXPECT_EQ(gAsked[0].title, "Installation Warning");
  EXPECT_EQ(gAsked[0].flags, 17u);
  EXPECT_NE(gAsked[0].text.find("Kelvora Edits"), std::string::npos);

  gAsked.clear();
  const AnsiString product = GetUniqueString("KelEdits ");
  EXPECT_TRUE(CheckPreviousVersion(product));
  EXPECT_TRUE(gAsked.empty());
  ASSERT_TRUE(AddUnInstaller(product, "uninst.exe"));
  gAnswer = IDCANCEL;
  EXPECT_FALSE(CheckPreviousVersion(product));
  RemoveUnInstaller(product);
  ASSERT_EQ(gAsked.size(), 1u);
  EXPECT_EQ(gAsked[0].title, "Installation Error");
  EXPECT_EQ(gAsked[0].flags, 17u);
  const size_t first = gAsked[0].text.find(product);
  EXPECT_NE(first, std::string::npos);
  EXPECT_NE(gAsked[0].text.find(product, first + 1), std::string::npos);  // named twice
  SetInstallMessageBox(nullptr);
}

// A device table: device 0 has no volume control, device 1 has.
DWORD gVolume = 0;
UINT gDevices = 2;
UINT WINAPI FakeNumDevs() { return gDevices; }
MMRESULT WINAPI FakeCaps(UINT_PTR device, LPAUXCAPSA caps, UINT size) {
  if (size != 48) return MMSYSERR_INVALPARAM;
  caps->dwSupport = device == 1 ? AUXCAPS_VOLUME : 0;
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeSet(UINT device, DWORD volume) {
  if (device != 1) return MMSYSERR_BADDEVICEID;
  gVolume = volume;
  return MMSYSERR_NOERROR;
}
MMRESULT WINAPI FakeGet(UINT device, LPDWORD volume) {
  if (device != 1) return MMSYSERR_BADDEVICEID;
  *volume = gVolume;
  return MMSYSERR_NOERROR;
}

TEST(Audio, VolumeThroughTheDeviceTable) {
  const TAudioDeviceApi fake = {FakeNumDevs, FakeCaps, FakeSet, FakeGet};
  SetAudioDeviceApi(&fake);
  EXPECT_EQ(GetAudioDevice(), 1);
  const struct {
    int level;
    DWORD stored;
    int read;
  } cases[] = {{128, 0x80008000u, 128}, {255, 0xFF00FF00u, 255}, {0, 0, 0}, {300, 0xFF00FF00u, 255}, {-5, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level);
    EXPECT_EQ(SetAudioVolume(c.level), 0);
    EXPECT_EQ(gVolume, c.stored);
    EXPECT_EQ(GetAudioVolume(), c.read);
  }
  gVolume = 0x2000C000u;  // left 0xC000, right 0x2000: mean 0x7000
  EXPECT_EQ(GetAudioVolume(), 0x70);
  gDevices = 1;
  EXPECT_EQ(GetAudioDevice(), -1);
  EXPECT_EQ(SetAudioVolume(10), -1);
  EXPECT_EQ(GetAudioVolume(), -1);
  SetAudioDeviceApi(nullptr);
}

}  // namespace
