#pragma once
// The records and codes the outside archive library's interface fixes.
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Open modes and file operations of the library.
inline constexpr uint32_t RAR_OM_LIST = 0;
inline constexpr uint32_t RAR_OM_EXTRACT = 1;
enum TRARFileOperation : int32_t { RAR_SKIP = 0, RAR_TEST = 1, RAR_EXTRACT = 2 };
// Result codes the loop depends on.
inline constexpr int32_t ERAR_SUCCESS = 0;
inline constexpr int32_t ERAR_END_ARCHIVE = 10;

struct TRAROpenArchiveData {
  char* ArcName;
  uint32_t OpenMode;
  uint32_t OpenResult;
  char* CmtBuf;
  uint32_t CmtBufSize;
  uint32_t CmtSize;
  uint32_t CmtState;
};
static_assert(offsetof(TRAROpenArchiveData, OpenMode) == sizeof(void*), "open record");
static_assert(sizeof(TRAROpenArchiveData) == (sizeof(void*) == 4 ? 28 : 40), "open record");

struct TRARHeaderData {
  char ArcName[260];
  char FileName[260];
  uint32_t Flags;
  uint32_t PackSize;
  uint32_t UnpSize;
  uint32_t HostOS;
  uint32_t FileCRC;
  uint32_t FileTime;
  uint32_t UnpVer;
  uint32_t Method;
  uint32_t FileAttr;
  char* CmtBuf;
  uint32_t CmtBufSize;
  uint32_t CmtSize;
  uint32_t CmtState;
};
static_assert(offsetof(TRARHeaderData, FileName) == 260 && offsetof(TRARHeaderData, Flags) == 520, "header record");

using TRARChangeVolProc = int(WINAPI*)(char* arcName, int mode);
using TRARProcessDataProc = int(WINAPI*)(unsigned char* addr, int size);
