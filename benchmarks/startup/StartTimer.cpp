// Times program starts: from CreateProcess until a visible top-level window
// of the given class belongs to the new process. Programs are started in
// turn, each `runs` times; each start is ended by its process id once its
// window is there. Prints every time and the median per program.
//
//   start_timer <runs> <window class> <exe> [<window class> <exe> ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Target {
    std::string cls, exe;
    std::vector<double> ms;
};

struct Search {
    DWORD pid;
    const char* cls;
    bool found;
};

BOOL CALLBACK Match(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<Search*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[128] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (owner == s->pid && IsWindowVisible(w) && std::string(cls) == s->cls) {
        s->found = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds from launch to the window, or -1.
double TimeOne(const Target& t)
{
    std::string folder = t.exe.substr(0, t.exe.find_last_of('\\'));
    std::string cmd = "\"" + t.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(t.exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return -1;
    double ms = -1;
    for (;;) {
        Search s{pi.dwProcessId, t.cls.c_str(), false};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
        QueryPerformanceCounter(&now);
        const double elapsed = 1000.0 * double(now.QuadPart - start.QuadPart) / double(freq.QuadPart);
        if (s.found) {
            ms = elapsed;
            break;
        }
        if (elapsed > 20000 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2) {
        std::fprintf(stderr, "usage: start_timer <runs> <window class> <exe> [<window class> <exe> ...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Target> targets;
    for (int i = 2; i + 1 < argc; i += 2)
        targets.push_back({argv[i], argv[i + 1], {}});
    // One unmeasured start each first: the files are in the cache after it.
    for (Target& t : targets)
        TimeOne(t);
    for (int r = 0; r < runs; ++r)
        for (Target& t : targets) {
            const double ms = TimeOne(t);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no window of class %s\n", t.exe.c_str(), t.cls.c_str());
                return 1;
            }
            t.ms.push_back(ms);
        }
    for (const Target& t : targets) {
        std::printf("%-70s", t.exe.c_str());
        for (double ms : t.ms)
            std::printf(" %.0f", ms);
        std::printf("\n  median %.1f ms\n", Median(t.ms));
    }
    if (targets.size() >= 2)
        std::printf("ratio %.2f (first / second)\n", Median(targets[0].ms) / Median(targets[1].ms));
    return 0;
}
