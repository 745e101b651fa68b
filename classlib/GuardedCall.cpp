#include "classlib/GuardedCall.h"

#include <exception>

#include "classlib/Application.h"
#include "classlib/Exception.h"

namespace {

bool gReporting = false;

void Report(const std::exception& e) noexcept {
  if (gReporting || !Application) {
    OutputDebugStringA(e.what());
    return;
  }
  gReporting = true;
  try {
    Application->ShowException(e);
  } catch (...) {
    OutputDebugStringA(e.what());
  }
  gReporting = false;
}

}  // namespace

void ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    Report(e);
  } catch (...) {
    try {
      Report(Exception("Unbekannter Fehler"));
    } catch (...) {
      OutputDebugStringA("Unbekannter Fehler");
    }
  }
}
