#include "app/core/Win32Platform.h"

#include <windows.h>
#include <objbase.h>

namespace kel {

namespace {
HWND gMainWindow = nullptr;
}

void Win32Platform::setMainWindow(void* hwnd) { gMainWindow = static_cast<HWND>(hwnd); }

std::string Win32Platform::moduleFileName() {
  std::string buf(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::string();
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

std::vector<std::string> Win32Platform::findFiles(const std::string& pattern) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.emplace_back(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return out;
}

std::string Win32Platform::getProfileString(const std::string& section, const std::string& key,
                                            const std::string& def, const std::string& file) {
  std::string buf(256, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), file.c_str());
    if (n + 1 < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

int32_t Win32Platform::getProfileInt(const std::string& section, const std::string& key,
                                     int32_t def, const std::string& file) {
  return static_cast<int32_t>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, file.c_str()));
}

bool Win32Platform::writeProfileString(const std::string& section, const std::string& key,
                                       const std::string& value, const std::string& file) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

std::string Win32Platform::createGuidString() {
  GUID g;
  if (FAILED(CoCreateGuid(&g))) return std::string();
  LPOLESTR wide = nullptr;
  if (FAILED(StringFromCLSID(g, &wide)) || !wide) return std::string();
  std::string out;
  for (const wchar_t* p = wide; *p; ++p) out.push_back(static_cast<char>(*p));  // hex, braces, hyphens
  CoTaskMemFree(wide);
  return out;
}

int32_t Win32Platform::messageBox(const std::string& text, const std::string& title, uint32_t flags) {
  return MessageBoxA(gMainWindow, text.c_str(), title.c_str(), flags);
}

void Win32Platform::beep() { MessageBeep(MB_OK); }

void Win32Platform::setMainWindowTitle(const std::string& title) {
  if (gMainWindow) SetWindowTextA(gMainWindow, title.c_str());
}

CalendarDate Win32Platform::today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay};
}

bool Win32Platform::pathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::createFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Platform::replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

Platform& defaultPlatform() {
  static Win32Platform p;
  return p;
}

}  // namespace kel
