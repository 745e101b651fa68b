#include "components/designtime/DevEnvironment.h"

#include <cstring>
#include <vector>

#include "classlib/Format.h"
#include "components/buttonedits/runtime/PathHelpers.h"
#include "components/designtime/NameValue.h"
#include "components/designtime/ProgramRunner.h"
#include "components/designtime/UninstallEntries.h"

namespace {

const char kVendorKey[] = "Software\\Quantelo Tools\\";
const char kToolPrefix[] = "Quantelo";

const TIDEVersionInfo kVersions[kIDEVersionCount] = {
    {"P1", "Pascal Studio\\1.0", "Pascal Studio 1", "Pascal Studio\\1.0\\Known Packages", "pstudio1.cnt", 0},
    {"P2", "Pascal Studio\\2.0", "Pascal Studio 2", "Pascal Studio\\2.0\\Known Packages", "pstudio2.cnt", 0},
    {"P3", "Pascal Studio\\3.0", "Pascal Studio 3", "Pascal Studio\\3.0\\Known Packages", "pstudio3.cnt", 0},
    {"P4", "Pascal Studio\\4.0", "Pascal Studio 4", "Pascal Studio\\4.0\\Known Packages", "pstudio4.cnt", 0},
    {"C1", "C++ Studio\\1.0", "C++ Studio 1", "C++ Studio\\1.0\\Known Packages", "cstudio1.cnt", 0},
    {"C2", "C++ Studio\\2.0", "C++ Studio 2", "C++ Studio\\2.0\\Known Packages", "cstudio2.cnt", 0},
    {"C3", "C++ Studio\\3.0", "C++ Studio 3", "C++ Studio\\3.0\\Known Packages", "cstudio3.cnt", 0},
    {"C4", "C++ Studio\\4.0", "C++ Studio 4", "C++ Studio\\4.0\\Known Packages", "cstudio4.cnt", 0},
};

// What each kind of source builds into, and the tools.
struct TSourceKind {
  const char* sourceExt;
  const char* outputExt;
};
const TSourceKind kUnit = {".pas", ".obj"};
const TSourceKind kPackage = {".pkg", ".pkl"};
const TSourceKind kProject = {".prj", ".exe"};
const char kCompiler[] = "qpc.exe";
const char kMake[] = "qmake.exe";
const char kIDEExecutable[] = "qstudio.exe";

int SystemBox(HWND owner, const char* text, const char* title, UINT flags) {
  return MessageBoxA(owner, text, title, flags);
}
TInstallMessageBox gBox = nullptr;

int Ask(const AnsiString& text, const char* title) {
  return (gBox ? gBox : SystemBox)(nullptr, text.c_str(), title, MB_OKCANCEL | MB_ICONSTOP);
}

AnsiString LowerExt(const AnsiString& file) {
  const size_t dot = file.find_last_of('.');
  const size_t sep = file.find_last_of("\\/");
  if (dot == AnsiString::npos || (sep != AnsiString::npos && dot < sep)) return AnsiString();
  AnsiString ext = file.substr(dot);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

AnsiString BaseName(const AnsiString& file) {
  const size_t sep = file.find_last_of("\\/");
  AnsiString name = sep == AnsiString::npos ? file : file.substr(sep + 1);
  const size_t dot = name.find_last_of('.');
  return dot == AnsiString::npos ? name : name.substr(0, dot);
}

bool FileExists(const AnsiString& file) {
  const DWORD attributes = GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

const TIDEVersionInfo& IDEVersionInfo(TIDEVersion version) { return kVersions[static_cast<int32_t>(version)]; }

TIDEVersion IDEVersionFromName(const AnsiString& name) {
  for (int32_t i = 0; i < kIDEVersionCount; ++i)
    if (lstrcmpiA(kVersions[i].shortName, name.c_str()) == 0) return static_cast<TIDEVersion>(i);
  return static_cast<TIDEVersion>(4);
}

bool IsCppVersion(TIDEVersion version) { return static_cast<int32_t>(version) >= 4; }

AnsiString IDERootDir(TIDEVersion version) {
  HKEY h = nullptr;
  const AnsiString key = AnsiString(kVendorKey) + IDEVersionInfo(version).registryKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return AnsiString();
  char value[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH, type = 0;
  AnsiString root;
  if (RegQueryValueExA(h, "RootDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ))
    root = value;
  RegCloseKey(h);
  return root.empty() ? root : AddSlash(root);
}

AnsiString IDEHelpDir(TIDEVersion version) {
  const AnsiString root = IDERootDir(version);
  return root.empty() ? root : root + "HELP\\";
}

AnsiString IDESourceDirs(TIDEVersion version) {
  const AnsiString root = IDERootDir(version);
  return root.empty() ? root : root + "Lib;" + root + "Source";
}

AnsiString IDEBuildDir(TIDEVersion version) {
  const AnsiString folder = AddSlash(GetTemporaryPath()) + "QBuild" + IDEVersionInfo(version).shortName + "\\";
  return CreateAllDirectories(folder, nullptr) ? folder : AnsiString();
}

bool CheckIDERunning(const AnsiString& product) {
  for (const char* windowClass : {"TAlignPalette", "TPropertyInspector", "TAppBuilder"}) {
    if (!FindWindowA(windowClass, nullptr)) continue;
    return Ask(Format("The development environment is running. Close it before installing %s, "
                      "or choose OK to install all the same.",
                      product.c_str()),
               "Installation Warning") == IDOK;
  }
  return true;
}

bool CheckPreviousVersion(const AnsiString& product) {
  if (!IsAppInstalled(product)) return true;
  return Ask(Format("%s is installed already. Uninstall %s before installing this version, "
                    "or choose OK to install over it.",
                    product.c_str(), product.c_str()),
             "Installation Error") == IDOK;
}

bool CheckIDEVersion(TIDEVersion version) {
  const uint16_t expected = IDEVersionInfo(version).build;
  if (expected == 0) return true;
  const AnsiString exe = IDERootDir(version) + "Bin\\" + kIDEExecutable;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> data(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoA(exe.c_str(), 0, size, data.data()) ||
      !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed)
    return false;
  return LOWORD(fixed->dwFileVersionLS) == expected;
}

bool CompileFile(TIDEVersion version, const AnsiString& source, const AnsiString& outputFolder, TStrings& messages) {
  const AnsiString bin = IDERootDir(version) + "Bin\\";
  const AnsiString ext = LowerExt(source);
  const bool unit = ext == kUnit.sourceExt;
  AnsiString command;
  if (IsCppVersion(version) && !unit)
    command = QuoteFileName(bin + kMake) + " -B -f " + QuoteFileName(source);
  else
    command = QuoteFileName(bin + kCompiler) + " -q -b" + (IsCppVersion(version) ? " -JPHN " : " ") +
              QuoteFileName(source);
  TStringList output;
  bool ok = RunProgram(command, outputFolder, output, true);
  // The runner's own line about a failed tool stays; of the tool's output
  // only the errors do.
  AnsiString failure;
  if (!ok && output.Count() > 0) {
    failure = output.Strings(output.Count() - 1);
    output.Delete(output.Count() - 1);
  }
  ConvertErrors(output);
  messages.AddStrings(output);
  if (!failure.empty()) messages.Add(failure);
  // The files the build must have produced.
  const TSourceKind* kind = unit ? &kUnit : ext == kPackage.sourceExt ? &kPackage : ext == kProject.sourceExt ? &kProject : nullptr;
  if (ok && kind) {
    const AnsiString produced = AddSlash(outputFolder) + BaseName(source) + kind->outputExt;
    if (!FileExists(produced)) {
      messages.Add("File not produced: " + produced);
      ok = false;
    }
  }
  return ok;
}

void ConvertErrors(TStrings& output) {
  TStringList kept;
  for (int32_t i = 0; i < output.Count(); ++i) {
    const AnsiString line = output.Strings(i);
    const size_t start = line.find_first_not_of(" \t");
    if (start == AnsiString::npos) continue;
    const AnsiString text = line.substr(start);
    for (const char* marker : {"Error:", "Fatal:", kToolPrefix})
      if (text.compare(0, strlen(marker), marker) == 0) {
        kept.Add(text);
        break;
      }
  }
  output.Clear();
  output.AddStrings(kept);
}

void SetInstallMessageBox(TInstallMessageBox box) { gBox = box; }
