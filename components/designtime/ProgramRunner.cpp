#include "components/designtime/ProgramRunner.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "classlib/Format.h"
#include "components/designtime/NameValue.h"
#include "components/designtime/SystemFolders.h"

namespace {

// CreateProcessA may write into its command line.
std::vector<char> Writable(const AnsiString& text) { return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1); }

// Doubles "%", which a batch file would take for the start of a variable.
AnsiString BatchEscape(const AnsiString& text) {
  AnsiString out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

}  // namespace

int RunBatFileEx(const AnsiString& command, bool wait) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi = {};
  std::vector<char> line = Writable(command);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si,
                      &pi))
    return -1;
  DWORD code = 0;
  if (wait) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(code);
}

int RunBatFile(const AnsiString& command) { return RunBatFileEx(command, true); }

bool RunProgram(const AnsiString& command, const AnsiString& folder, TStrings& output, bool capture) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  HANDLE sink = INVALID_HANDLE_VALUE;
  AnsiString sinkName;
  if (capture) {
    sinkName = GetTemporaryFileName("tempfile");
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!sinkName.empty())
      sink = CreateFileA(sinkName.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (sink != INVALID_HANDLE_VALUE) {
      si.dwFlags = STARTF_USESTDHANDLES;
      si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
      si.hStdOutput = sink;
      si.hStdError = sink;
    }
  }
  PROCESS_INFORMATION pi = {};
  std::vector<char> line = Writable(command);
  DWORD code = 0;
  const bool started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                                      folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  if (started) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  } else {
    code = GetLastError();
  }
  if (sink != INVALID_HANDLE_VALUE) CloseHandle(sink);
  if (!sinkName.empty()) {
    std::ifstream in(sinkName, std::ios::binary);
    TStringList lines;
    lines.SetText(AnsiString((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    in.close();
    output.AddStrings(lines);
    DeleteFileA(sinkName.c_str());
  }
  if (!started || code != 0) output.Add(Format("Program failed with code (%d)", static_cast<int>(code)));
  return started && code == 0;
}

bool RemoveFile(const AnsiString& file) {
  if (DeleteFileA(file.c_str())) return true;
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
  const size_t sep = file.find_last_of("\\/");
  const AnsiString folder = sep == AnsiString::npos ? AnsiString(".\\") : file.substr(0, sep + 1);
  const AnsiString batch = folder + "$delme" + GetUniqueString("") + ".bat";
  const AnsiString quoted = QuoteFileName(BatchEscape(file));
  {
    std::ofstream out(batch, std::ios::binary | std::ios::trunc);
    // Up to 60 tries a second apart; then the file is left and so is nothing else.
    out << "@echo off\r\n"
        << "set tries=0\r\n"
        << ":Repeat\r\n"
        << "del " << quoted << " >nul 2>nul\r\n"
        << "del " << quoted << " /aH >nul 2>nul\r\n"
        << "if not exist " << quoted << " goto Done\r\n"
        << "set /a tries=tries+1\r\n"
        << "if %tries% geq 60 goto Done\r\n"
        << "ping -n 2 127.0.0.1 >nul\r\n"
        << "goto Repeat\r\n"
        << ":Done\r\n"
        << "del " << QuoteFileName(BatchEscape(batch)) << "\r\n";
    if (!out.flush()) return false;
  }
  return RunBatFileEx("cmd.exe /c " + QuoteFileName(batch), false) >= 0;
}
