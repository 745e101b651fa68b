// A stand-in for the archive library: an archive whose name ends in
// "good.rar" opens and holds the entries below; extracting one writes its
// name as its content. Every call is recorded for the test to read.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "components/designtime/UnRarRecords.h"

namespace {

const char* const kEntries[] = {"readme.txt", "docs/guide.txt", "kelsys.dll", "../evil.txt",
                                "C:evil2.txt", "\\abs.txt",     "docs/skip.txt"};
const int kCount = sizeof kEntries / sizeof kEntries[0];

struct Archive {
  int next = 0;  // the entry the next header read returns
};

std::string gLog;
int gCloses = 0;

void Log(const std::string& line) { gLog += line + "\n"; }

}  // namespace

#define FAKE_EXPORT extern "C" __declspec(dllexport)

FAKE_EXPORT HANDLE WINAPI RAROpenArchive(TRAROpenArchiveData* data) {
  Log("open " + std::to_string(data->OpenMode) + " " + data->ArcName);
  const size_t n = std::strlen(data->ArcName);
  if (n < 8 || std::strcmp(data->ArcName + n - 8, "good.rar") != 0) {
    data->OpenResult = 15;
    return nullptr;
  }
  data->OpenResult = 0;
  return new Archive;
}

FAKE_EXPORT int WINAPI RARCloseArchive(HANDLE archive) {
  ++gCloses;
  delete static_cast<Archive*>(archive);
  return 0;
}

FAKE_EXPORT int WINAPI RARReadHeader(HANDLE archive, TRARHeaderData* header) {
  auto* a = static_cast<Archive*>(archive);
  if (a->next >= kCount) return ERAR_END_ARCHIVE;
  std::memset(header, 0, sizeof *header);
  std::strcpy(header->FileName, kEntries[a->next]);
  return ERAR_SUCCESS;
}

FAKE_EXPORT int WINAPI RARProcessFile(HANDLE archive, int operation, const char* destPath, const char* destName) {
  auto* a = static_cast<Archive*>(archive);
  const char* entry = kEntries[a->next++];
  Log("process " + std::to_string(operation) + " " + entry + " -> " + (destPath ? destPath : "") + "|" +
      (destName ? destName : ""));
  if (operation != RAR_EXTRACT) return ERAR_SUCCESS;
  std::FILE* f = destName ? std::fopen(destName, "wb") : nullptr;
  if (!f) return 12;
  std::fputs(entry, f);
  std::fclose(f);
  return ERAR_SUCCESS;
}

FAKE_EXPORT void WINAPI RARSetChangeVolProc(HANDLE, TRARChangeVolProc) { Log("changevol"); }
FAKE_EXPORT void WINAPI RARSetProcessDataProc(HANDLE, TRARProcessDataProc) { Log("processdata"); }
FAKE_EXPORT void WINAPI RARSetPassword(HANDLE, const char* password) { Log(std::string("password ") + password); }

// For the test: the calls so far (then forgotten) and the closes.
FAKE_EXPORT const char* FakeUnRarLog() {
  static std::string last;
  last = gLog;
  gLog.clear();
  return last.c_str();
}
FAKE_EXPORT int FakeUnRarCloses() { return gCloses; }
