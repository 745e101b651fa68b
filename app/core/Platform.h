#pragma once
// The few system services the entry data needs. The program uses the Win32
// implementation; the native build uses a portable one, and tests can install
// a double (fixed date, recorded message boxes).
#include <cstdint>
#include <string>
#include <vector>

namespace kel {

struct CalendarDate {
  int32_t year = 0;
  int32_t month = 0;  // 1-12
  int32_t day = 0;
};

// Message-box flags, the values of the Windows API.
enum : uint32_t {
  kMbOk = 0x0,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
};

class Platform {
public:
  virtual ~Platform() = default;

  // Full path of the running program.
  virtual std::string moduleFileName() = 0;
  // Names (without folder) of the files, not folders, matching a pattern
  // such as "folder\*.JTFO", in the order the system finds them.
  virtual std::vector<std::string> findFiles(const std::string& pattern) = 0;

  // Profile functions on a settings file.
  virtual std::string getProfileString(const std::string& section, const std::string& key,
                                       const std::string& def, const std::string& file) = 0;
  virtual int32_t getProfileInt(const std::string& section, const std::string& key,
                                int32_t def, const std::string& file) = 0;
  virtual bool writeProfileString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file) = 0;

  // A new GUID in its text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
  virtual std::string createGuidString() = 0;

  virtual int32_t messageBox(const std::string& text, const std::string& title, uint32_t flags) = 0;
  virtual void beep() = 0;
  virtual void setMainWindowTitle(const std::string& title) = 0;
  virtual CalendarDate today() = 0;

  // File system.
  virtual bool pathExists(const std::string& path) = 0;
  virtual bool createFolder(const std::string& path) = 0;  // one level
  virtual bool removeFile(const std::string& path) = 0;
  // Moves a file over another one, replacing it.
  virtual bool replaceFile(const std::string& from, const std::string& to) = 0;
};

// The platform in use: the one installed last, else the build's own.
Platform& platform();
// Installs a platform (null restores the build's own). Not owned.
void setPlatform(Platform* p);
// The build's own platform (Win32 in the program, portable natively).
Platform& defaultPlatform();

// Path separator of the build ("\\" on Windows, "/" natively).
#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

}  // namespace kel
