#pragma once
// The system services through the Win32 API (ANSI functions, Windows-1252).
#include "app/core/Platform.h"

namespace kel {

class Win32Platform : public Platform {
public:
  std::string moduleFileName() override;
  std::vector<std::string> findFiles(const std::string& pattern) override;
  std::string getProfileString(const std::string& section, const std::string& key,
                               const std::string& def, const std::string& file) override;
  int32_t getProfileInt(const std::string& section, const std::string& key, int32_t def,
                        const std::string& file) override;
  bool writeProfileString(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& file) override;
  std::string createGuidString() override;
  int32_t messageBox(const std::string& text, const std::string& title, uint32_t flags) override;
  void beep() override;
  void setMainWindowTitle(const std::string& title) override;
  CalendarDate today() override;
  bool pathExists(const std::string& path) override;
  bool createFolder(const std::string& path) override;
  bool removeFile(const std::string& path) override;
  bool replaceFile(const std::string& from, const std::string& to) override;

  // The window that owns message boxes and carries the program title; set by
  // the start routine once the main frame exists.
  static void setMainWindow(void* hwnd);
};

}  // namespace kel
