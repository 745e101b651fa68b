#pragma once
// Runs the real kelvora.exe from a program folder of its own and drives it
// from outside, as a user would: its windows are found by process, title
// and class; input arrives as posted messages and through SendInput.
//
//   ProgramRun run({"A/treiber/KREIS2010.JTFO"});   folder with the program
//                                                    and these event files
//   run.copyData("A/veranst", "KREIS2010");         fixture data files
//   run.start();
//   HWND box = run.waitWindow("Schwerer Fehler!");  a shown top-level window
//   run.waitExit(&code);                            the program's end
//
// A program still running when the object goes is ended by its process id.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/core/TestSupport.h"
#include "tests/support/RealInput.h"
#include "tests/support/WindowQuery.h"

namespace kel::test {

// A host path of the build tree (KEL_BUILD_DIR) in the form Wine reads.
inline std::string BuildPath(const std::string& relative)
{
    const char* root = std::getenv("KEL_BUILD_DIR");
    std::string p = std::string(root ? root : ".") + "/" + relative;
    for (char& ch : p)
        if (ch == '/')
            ch = '\\';
    if (!p.empty() && p[0] == '\\')
        p = "Z:" + p;
    return p;
}

// The child windows of a window, every level, in creation order.
inline std::vector<HWND> Descendants(HWND parent, const char* className = nullptr)
{
    struct Search {
        const char* cls;
        std::vector<HWND> found;
    } s{className, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* search = reinterpret_cast<Search*>(p);
            if (!search->cls || _stricmp(ClassOf(w).c_str(), search->cls) == 0)
                search->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The texts of a window's static controls (a message box's text among them).
inline std::vector<std::string> StaticTexts(HWND w)
{
    std::vector<std::string> out;
    for (HWND s : Descendants(w, "Static"))
        out.push_back(WindowText(s));
    return out;
}

class ProgramRun {
public:
    explicit ProgramRun(const std::vector<std::string>& events = {})
    {
        folder_ = dir_.path();
        CreateDirectoryA(path("treiber").c_str(), nullptr);
        for (const std::string& e : events)
            CopyBytes(FixturePath(e), path("treiber\\" + e.substr(e.find_last_of('/') + 1)));
    }
    // Runs the program as it lies in another folder (an unpacked package).
    void useFolder(const std::string& folder) { folder_ = folder; }
    // Copies this build of the program into the folder at the first start
    // (default: the test's own build tree, app/kelvora.exe).
    void useProgram(const std::string& exe) { program_ = exe; }
    ~ProgramRun()
    {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    std::string folder() const { return folder_; }
    std::string path(const std::string& relative) const { return folder_ + "\\" + relative; }
    std::string exePath() const { return path("kelvora.exe"); }
    // The three data files of a fixture set into the program's data folder.
    void copyData(const std::string& fixtureFolder, const std::string& base)
    {
        CreateDirectoryA(path("veranst").c_str(), nullptr);
        for (const char* ext : {".SDA", ".MDA", ".STF"})
            CopyBytes(FixturePath(fixtureFolder + "/" + base + ext), path("veranst\\" + base + ext));
    }

    bool start()
    {
        if (process_.hProcess) {
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
            process_ = {};
        }
        if (GetFileAttributesA(exePath().c_str()) == INVALID_FILE_ATTRIBUTES &&
            !CopyFileA(program_.c_str(), exePath().c_str(), FALSE))
            return false;
        return launch(&process_);
    }
    // Starts one more copy of the same program; its end code, or -1 when it
    // still runs after `ms`.
    int runAgain(DWORD ms = 15000)
    {
        PROCESS_INFORMATION other{};
        if (!launch(&other))
            return -2;
        DWORD code = DWORD(-1);
        if (WaitForSingleObject(other.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(other.hProcess, &code);
        else
            TerminateProcess(other.hProcess, 99);
        CloseHandle(other.hProcess);
        CloseHandle(other.hThread);
        return int(code);
    }
    DWORD pid() const { return process_.dwProcessId; }
    bool running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    // A visible top-level window of the program with this title (and class,
    // when given); null when none shows within `ms`.
    HWND waitWindow(const std::string& title, DWORD ms = 15000, const char* cls = nullptr) const
    {
        return waitFor([&] { return findWindow(title, cls); }, ms);
    }
    HWND findWindow(const std::string& title, const char* cls = nullptr) const
    {
        struct Search {
            DWORD pid;
            const std::string* title;
            const char* cls;
            HWND found;
        } s{pid(), &title, cls, nullptr};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* search = reinterpret_cast<Search*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner != search->pid || !IsWindowVisible(w) || WindowText(w) != *search->title)
                    return TRUE;
                if (search->cls && ClassOf(w) != search->cls)
                    return TRUE;
                search->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.found;
    }
    // The program's top-level windows, for failure messages.
    std::string windows() const
    {
        struct Search {
            DWORD pid;
            std::string out;
        } s{pid(), {}};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* search = reinterpret_cast<Search*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == search->pid)
                    search->out += "[" + ClassOf(w) + " \"" + WindowText(w) + "\"" +
                                   (IsWindowVisible(w) ? " sichtbar" : "") + "] ";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.out;
    }
    // Waits until `get` gives a non-null value.
    template <typename F>
    static auto waitFor(F get, DWORD ms = 15000) -> decltype(get())
    {
        decltype(get()) value{};
        WaitUntil(
            [&] {
                value = get();
                return bool(value);
            },
            ms);
        return value;
    }
    // The program's end code; false when it still runs after `ms`.
    bool waitExit(DWORD* code, DWORD ms = 15000) const
    {
        if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        GetExitCodeProcess(process_.hProcess, code);
        return true;
    }
    // Waits until the program has handled everything sent so far.
    static void settle(HWND w) { SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr); }
    // Waits until the program has taken the input sent so far and waits
    // for more.
    void idle() const { InputTaken(process_.hProcess); }
    HANDLE process() const { return process_.hProcess; }

private:
    bool launch(PROCESS_INFORMATION* pi) const
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exePath() + "\"";
        return CreateProcessA(exePath().c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder().c_str(), &si, pi) != 0;
    }

    TempDir dir_;
    std::string folder_;
    std::string program_ = BuildPath("app/kelvora.exe");
    PROCESS_INFORMATION process_{};
};

}  // namespace kel::test
