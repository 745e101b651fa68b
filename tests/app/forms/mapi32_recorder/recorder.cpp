// A stand-in mail library for the tests: it records every field it is handed
// into the file named by KEL_MAPI_LOG and answers with the codes given in
// KEL_MAPI_LOGON_RC and KEL_MAPI_SEND_RC (0 when unset). Built once with all
// three entry points and once without MAPILogoff.
#include "app/forms/SimpleMapi.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace simple_mapi;

std::string env(const char* name) {
  char buf[1024];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  return (n > 0 && n < sizeof buf) ? std::string(buf, n) : std::string();
}

ULONG code(const char* name) {
  std::string v = env(name);
  return v.empty() ? 0 : static_cast<ULONG>(std::strtoul(v.c_str(), nullptr, 10));
}

// Text fields are written with their line feeds visible as "\n"; a null
// pointer is written as "(null)" so that it differs from an empty text.
std::string text(const char* s) {
  if (!s) return "(null)";
  std::string out;
  for (; *s; ++s) {
    if (*s == '\n') out += "\\n";
    else if (*s == '\r') out += "\\r";
    else out += *s;
  }
  return out;
}

void record(const std::string& line) {
  std::string path = env("KEL_MAPI_LOG");
  if (path.empty()) return;
  if (FILE* f = std::fopen(path.c_str(), "ab")) {
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
    std::fclose(f);
  }
}

std::string num(unsigned long long v) { return std::to_string(v); }

}  // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPILogon(ULONG_PTR ui, char* profile, char* password,
                                                        ULONG flags, ULONG reserved, Handle* session) {
  record("logon ui=" + num(ui) + " profile=" + text(profile) + " password=" + text(password) +
         " flags=" + num(flags) + " reserved=" + num(reserved));
  ULONG rc = code("KEL_MAPI_LOGON_RC");
  if (session) *session = rc == 0 ? 0x5A5A : 0;
  return rc;
}

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(Handle session, ULONG_PTR ui, Message* m,
                                                           ULONG flags, ULONG reserved) {
  record("send session=" + num(session) + " ui=" + num(ui) + " flags=" + num(flags) +
         " reserved=" + num(reserved));
  if (m) {
    record("msg reserved=" + num(m->ulReserved) + " flags=" + num(m->flFlags) +
           " type=" + text(m->lpszMessageType) + " date=" + text(m->lpszDateReceived) +
           " conversation=" + text(m->lpszConversationID) +
           " originator=" + (m->lpOriginator ? "set" : "(null)"));
    record("subject=" + text(m->lpszSubject));
    record("body=" + text(m->lpszNoteText));
    record("recips=" + num(m->nRecipCount) + (m->lpRecips ? "" : " (null)"));
    for (uint32_t i = 0; m->lpRecips && i < m->nRecipCount; ++i) {
      const RecipDesc& r = m->lpRecips[i];
      record("recip reserved=" + num(r.ulReserved) + " class=" + num(r.ulRecipClass) +
             " name=" + text(r.lpszName) + " address=" + text(r.lpszAddress) +
             " eidsize=" + num(r.ulEIDSize) + " eid=" + (r.lpEntryID ? "set" : "(null)"));
    }
    record("files=" + num(m->nFileCount) + (m->lpFiles ? "" : " (null)"));
    for (uint32_t i = 0; m->lpFiles && i < m->nFileCount; ++i) {
      const FileDesc& f = m->lpFiles[i];
      record("file reserved=" + num(f.ulReserved) + " flags=" + num(f.flFlags) +
             " position=" + num(f.nPosition) + " path=" + text(f.lpszPathName) +
             " name=" + text(f.lpszFileName) + " type=" + (f.lpFileType ? "set" : "(null)"));
    }
  }
  return code("KEL_MAPI_SEND_RC");
}

#ifndef KEL_NO_LOGOFF
extern "C" __declspec(dllexport) ULONG WINAPI MAPILogoff(Handle session, ULONG_PTR ui, ULONG flags,
                                                         ULONG reserved) {
  record("logoff session=" + num(session) + " ui=" + num(ui) + " flags=" + num(flags) +
         " reserved=" + num(reserved));
  return 0;
}
#endif
