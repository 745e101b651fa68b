#pragma once
// Files for tests, in both builds:
//
//   TempDir dir;                 a fresh, unique folder below the system's
//                                temporary folder, removed with everything
//                                in it when `dir` goes out of scope
//   dir.path(), dir / "a.xml"    its path, a path inside it
//   dir.write("d/a.xml", bytes)  a file inside it (folders made as needed)
//                                holding exactly these bytes; its path
//   FileBytes(path)              a file's bytes, exactly as on disk, in a
//                                std::string (empty when it cannot be read)
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace kel::test {

class TempDir {
public:
    TempDir()
    {
        namespace fs = std::filesystem;
        static std::atomic<int> counter{0};
        // The clock and a counter keep folders of parallel test programs
        // and of one program apart; an existing name is skipped.
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (;;) {
            fs::path p = fs::temp_directory_path() /
                         ("kel_" + std::to_string(stamp) + "_" + std::to_string(counter++));
            if (fs::create_directories(p)) {
                path_ = p.string();
                return;
            }
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const
    {
        return (std::filesystem::path(path_) / name).string();
    }
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::filesystem::path p = std::filesystem::path(path_) / name;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

private:
    std::string path_;
};

inline std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace kel::test
