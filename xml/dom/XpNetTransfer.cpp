#include "xml/dom/XpNetTransfer.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <stdlib.h>

#include <filesystem>
#include <unistd.h>
#endif

#include "classlib/Format.h"
#include "xml/dom/XpExceptions.h"
#include "xml/dom/XpMessages.h"

using namespace XpRes;

#ifdef _WIN32
#include <windows.h>

namespace {

using HINTERNET = void*;
using InternetOpenAFn = HINTERNET(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using InternetConnectAFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, WORD, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
using HttpOpenRequestAFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD, DWORD_PTR);
using HttpSendRequestAFn = BOOL(WINAPI*)(HINTERNET, LPCSTR, DWORD, LPVOID, DWORD);
using InternetQueryDataAvailableFn = BOOL(WINAPI*)(HINTERNET, LPDWORD, DWORD, DWORD_PTR);
using InternetReadFileFn = BOOL(WINAPI*)(HINTERNET, LPVOID, DWORD, LPDWORD);
using FtpSetCurrentDirectoryAFn = BOOL(WINAPI*)(HINTERNET, LPCSTR);
using FtpOpenFileAFn = HINTERNET(WINAPI*)(HINTERNET, LPCSTR, DWORD, DWORD, DWORD_PTR);
using FtpPutFileAFn = BOOL(WINAPI*)(HINTERNET, LPCSTR, LPCSTR, DWORD, DWORD_PTR);
using InternetCloseHandleFn = BOOL(WINAPI*)(HINTERNET);
using HttpQueryInfoAFn = BOOL(WINAPI*)(HINTERNET, DWORD, LPVOID, LPDWORD, LPDWORD);

constexpr DWORD kPreconfig = 0;          // INTERNET_OPEN_TYPE_PRECONFIG
constexpr DWORD kServiceFtp = 1;         // INTERNET_SERVICE_FTP
constexpr DWORD kServiceHttp = 3;        // INTERNET_SERVICE_HTTP
constexpr DWORD kReload = 0x80000000;    // INTERNET_FLAG_RELOAD
constexpr DWORD kNoCacheWrite = 0x04000000;
constexpr DWORD kBinary = 2;             // FTP_TRANSFER_TYPE_BINARY
constexpr DWORD kGenericRead = 0x80000000;
constexpr DWORD kQueryStatusCode = 19 | 0x20000000;  // HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER

// The one module handle of the process, freed when the program ends.
struct TWinInet {
  HMODULE Module = nullptr;
  ~TWinInet() {
    if (Module) FreeLibrary(Module);
  }
};
TWinInet gWinInet;

bool XpLoadWinInet(TStringList& errors) {
  if (!gWinInet.Module) gWinInet.Module = LoadLibraryA("WININET.DLL");
  if (!gWinInet.Module) errors.Add(XpLoadStr(_sIENotInstalled));
  return gWinInet.Module != nullptr;
}

template <class F>
F Proc(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(gWinInet.Module, name)));
}

struct THandle {
  HINTERNET H = nullptr;
  ~THandle() {
    if (H) Proc<InternetCloseHandleFn>("InternetCloseHandle")(H);
  }
};

// Reads what the request handle delivers into a new temporary file.
bool ReadToTempFile(HINTERNET request, bool check404, const AnsiString& location, AnsiString& tempFile) {
  tempFile = XpGenTemporaryFile();
  std::ofstream out(tempFile.c_str(), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  auto query = Proc<InternetQueryDataAvailableFn>("InternetQueryDataAvailable");
  auto read = Proc<InternetReadFileFn>("InternetReadFile");
  bool first = true;
  DWORD available = 0;
  while (query(request, &available, 0, 0) && available > 0) {
    std::string buffer(available, '\0');
    DWORD got = 0;
    if (!read(request, buffer.data(), available, &got)) break;
    buffer.resize(got);
    if (first && check404 && buffer.find("404 Not Found") != std::string::npos) {
      out.close();
      std::remove(tempFile.c_str());
      tempFile.clear();
      throw EXpParserError(0, 0, XpLoadWideStr(_sHttpDataNotAvail), AnsiToWide(location));
    }
    first = false;
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  }
  return static_cast<bool>(out);
}

}  // namespace

AnsiString XpGenTemporaryFile() {
  char folder[MAX_PATH + 1] = {0};
  char name[MAX_PATH + 1] = {0};
  GetTempPathA(MAX_PATH, folder);
  if (!GetTempFileNameA(folder, "Tessavurn", 0, name)) return AnsiString();
  return name;
}

bool XpLoadHTTP(const AnsiString& location, TStringList& errors, AnsiString& tempFile) {
  if (!XpLoadWinInet(errors)) return false;
  const size_t slash = location.find('/');
  const AnsiString host = slash == AnsiString::npos ? location : location.substr(0, slash);
  AnsiString object = slash == AnsiString::npos ? location : location.substr(slash + 1);
  if (object.size() > 2048) object.resize(2048);
  THandle session, connection, request;
  session.H = Proc<InternetOpenAFn>("InternetOpenA")("Tessavurn", kPreconfig, nullptr, nullptr, 0);
  if (!session.H) return errors.Add(XpLoadStr(_sInetOpenFailed)), false;
  connection.H = Proc<InternetConnectAFn>("InternetConnectA")(session.H, host.c_str(), 0, nullptr, nullptr,
                                                               kServiceHttp, 0, 0);
  if (!connection.H) return errors.Add(XpLoadStr(_sInetConnectFailed)), false;
  request.H = Proc<HttpOpenRequestAFn>("HttpOpenRequestA")(connection.H, "GET", object.c_str(), "HTTP/1.0",
                                                           nullptr, nullptr, kReload | kNoCacheWrite, 0);
  if (!request.H) return errors.Add(XpLoadStr(_sHttpReqOpenFailed)), false;
  if (!Proc<HttpSendRequestAFn>("HttpSendRequestA")(request.H, nullptr, 0, nullptr, 0))
    return errors.Add(XpLoadStr(_sHttpReqSendFailed)), false;
  // An error answer is not the document, whatever text its page carries.
  DWORD status = 0, size = sizeof status;
  if (Proc<HttpQueryInfoAFn>("HttpQueryInfoA")(request.H, kQueryStatusCode, &status, &size, nullptr) &&
      status >= 400)
    throw EXpParserError(0, 0, XpLoadWideStr(_sHttpDataNotAvail), AnsiToWide(location));
  return ReadToTempFile(request.H, true, location, tempFile);
}

namespace {

// A logged-in FTP connection for a location "host/folders/file".
struct TFtpConnection {
  THandle Session, Connection;  // closed in reverse order
  AnsiString Folder, File;

  // False, with the message in errors, when the location has no "/" or
  // the connection fails. rootedFolder gives the folder a leading "/".
  bool Open(const AnsiString& location, const AnsiString& userName, const AnsiString& password,
            TStringList& errors, bool rootedFolder) {
    if (!XpLoadWinInet(errors)) return false;
    const size_t slash = location.find('/');
    if (slash == AnsiString::npos) return errors.Add(XpLoadStr(_sInvalidFtpLoc)), false;
    const AnsiString host = location.substr(0, slash);
    const AnsiString rest = location.substr(slash + 1);
    const size_t last = rest.rfind('/');
    if (last != AnsiString::npos) Folder = (rootedFolder ? "/" : "") + rest.substr(0, last);
    File = last == AnsiString::npos ? rest : rest.substr(last + 1);
    Session.H = Proc<InternetOpenAFn>("InternetOpenA")("Quendarvil Tessavurn", kPreconfig, nullptr, nullptr, 0);
    if (!Session.H) return errors.Add(XpLoadStr(_sInetOpenFailed)), false;
    Connection.H = Proc<InternetConnectAFn>("InternetConnectA")(Session.H, host.c_str(), 0, userName.c_str(),
                                                                 password.c_str(), kServiceFtp, 0, 0);
    if (!Connection.H) return errors.Add(XpLoadStr(_sInetConnectFailed)), false;
    return true;
  }
  bool EnterFolder() const {
    return Folder.empty() || Proc<FtpSetCurrentDirectoryAFn>("FtpSetCurrentDirectoryA")(Connection.H, Folder.c_str());
  }
};

}  // namespace

bool XpLoadFTP(const AnsiString& location, const AnsiString& userName, const AnsiString& password,
               TStringList& errors, AnsiString& tempFile) {
  TFtpConnection ftp;
  if (!ftp.Open(location, userName, password, errors, true)) return false;
  if (!ftp.EnterFolder()) return errors.Add(XpLoadStr(_sInvalidFtpDir)), false;
  THandle request;
  request.H = Proc<FtpOpenFileAFn>("FtpOpenFileA")(ftp.Connection.H, ftp.File.c_str(), kGenericRead, kBinary, 0);
  if (!request.H) return errors.Add(XpLoadStr(_sFtpOpenFileFailed)), false;
  return ReadToTempFile(request.H, false, location, tempFile);
}

bool XpSaveToFTP(const AnsiString& location, const AnsiString& userName, const AnsiString& password,
                 const AnsiString& localFile, TStringList& errors) {
  TFtpConnection ftp;
  if (!ftp.Open(location, userName, password, errors, false)) return false;
  // The upload is tried even where the folder could not be entered.
  if (!ftp.EnterFolder()) errors.Add(XpLoadStr(_sInvalidFtpDir));
  const BOOL ok =
      Proc<FtpPutFileAFn>("FtpPutFileA")(ftp.Connection.H, localFile.c_str(), ftp.File.c_str(), kBinary, 0);
  if (!ok) errors.Add(FormatRuntime(XpLoadStr(_sFtpPutFileFailed).c_str(), location.c_str()));
  return ok != FALSE;
}

#else

// Without WinINet (the native build) the network is not reachable.
AnsiString XpGenTemporaryFile() {
  std::error_code ec;
  std::string name = (std::filesystem::temp_directory_path(ec) / "TessavurnXXXXXX").string();
  const int fd = mkstemp(name.data());
  if (fd < 0) return AnsiString();
  close(fd);
  return name;
}

bool XpLoadHTTP(const AnsiString&, TStringList& errors, AnsiString&) {
  errors.Add(XpLoadStr(_sIENotInstalled));
  return false;
}

bool XpLoadFTP(const AnsiString&, const AnsiString&, const AnsiString&, TStringList& errors, AnsiString&) {
  errors.Add(XpLoadStr(_sIENotInstalled));
  return false;
}

bool XpSaveToFTP(const AnsiString&, const AnsiString&, const AnsiString&, const AnsiString&, TStringList& errors) {
  errors.Add(XpLoadStr(_sIENotInstalled));
  return false;
}

#endif
