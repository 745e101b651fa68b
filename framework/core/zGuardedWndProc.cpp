#include "framework/core/zGuardedWndProc.h"

#include <exception>
#include <string>

void (*zExceptionReport)(const char* text) = nullptr;

namespace {

bool g_reporting = false;

void showInMessageBox(const char* text)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string caption = path;
    caption = caption.substr(caption.find_last_of("\\/:") + 1);
    caption = caption.substr(0, caption.rfind('.'));
    MessageBoxA(GetActiveWindow(), text, caption.c_str(), MB_OK | MB_ICONSTOP);
}

void report(const char* text) noexcept
{
    if (g_reporting) {
        OutputDebugStringA(text);
        return;
    }
    g_reporting = true;
    try {
        (zExceptionReport ? zExceptionReport : showInMessageBox)(text);
    } catch (...) {
        OutputDebugStringA(text);
    }
    g_reporting = false;
}

} // namespace

void zReportCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::exception& e) {
        report(e.what() && *e.what() ? e.what() : "Unbekannter Fehler");
    } catch (...) {
        report("Unbekannter Fehler");
    }
}
