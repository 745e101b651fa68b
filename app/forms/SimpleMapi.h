#pragma once
// The Simple MAPI records and entry points as the mail library expects them.
// Declared here rather than taken from a system header so that the layout is
// fixed and checked: 32-bit fields stay 32-bit, pointers and handles take the
// platform's width.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace simple_mapi {

using Handle = ULONG_PTR;

constexpr uint32_t SuccessSuccess = 0;
constexpr uint32_t LogonUi = 0x00000001;
constexpr uint32_t RecipTo = 1;
constexpr uint32_t RecipCc = 2;

struct RecipDesc {
  uint32_t ulReserved;
  uint32_t ulRecipClass;
  char* lpszName;
  char* lpszAddress;
  uint32_t ulEIDSize;
  void* lpEntryID;
};

struct FileDesc {
  uint32_t ulReserved;
  uint32_t flFlags;
  uint32_t nPosition;
  char* lpszPathName;
  char* lpszFileName;
  void* lpFileType;
};

struct Message {
  uint32_t ulReserved;
  char* lpszSubject;
  char* lpszNoteText;
  char* lpszMessageType;
  char* lpszDateReceived;
  char* lpszConversationID;
  uint32_t flFlags;
  RecipDesc* lpOriginator;
  uint32_t nRecipCount;
  RecipDesc* lpRecips;
  uint32_t nFileCount;
  FileDesc* lpFiles;
};

#ifdef _WIN64
static_assert(sizeof(RecipDesc) == 40 && offsetof(RecipDesc, lpszName) == 8 &&
              offsetof(RecipDesc, ulEIDSize) == 24 && offsetof(RecipDesc, lpEntryID) == 32);
static_assert(sizeof(FileDesc) == 40 && offsetof(FileDesc, nPosition) == 8 &&
              offsetof(FileDesc, lpszPathName) == 16 && offsetof(FileDesc, lpFileType) == 32);
static_assert(sizeof(Message) == 96 && offsetof(Message, lpszSubject) == 8 &&
              offsetof(Message, flFlags) == 48 && offsetof(Message, lpOriginator) == 56 &&
              offsetof(Message, nRecipCount) == 64 && offsetof(Message, lpRecips) == 72 &&
              offsetof(Message, nFileCount) == 80 && offsetof(Message, lpFiles) == 88);
#else
static_assert(sizeof(RecipDesc) == 24 && sizeof(FileDesc) == 24 && sizeof(Message) == 48);
#endif

using LogonFn = ULONG(WINAPI*)(ULONG_PTR ulUIParam, char* lpszProfileName, char* lpszPassword,
                               ULONG flFlags, ULONG ulReserved, Handle* lplhSession);
using SendMailFn = ULONG(WINAPI*)(Handle lhSession, ULONG_PTR ulUIParam, Message* lpMessage,
                                  ULONG flFlags, ULONG ulReserved);
using LogoffFn = ULONG(WINAPI*)(Handle lhSession, ULONG_PTR ulUIParam, ULONG flFlags,
                                ULONG ulReserved);

}  // namespace simple_mapi
