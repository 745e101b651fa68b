#pragma once
// A fresh folder below the system's temporary folder, removed with all it
// holds when the test ends.
#include <filesystem>
#include <random>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    FPath = std::filesystem::temp_directory_path() / ("kel_rt_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(FPath);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string Path() const { return FPath.string(); }

 private:
  std::filesystem::path FPath;
};
