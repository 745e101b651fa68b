#include "components/edits/TagMonitor.h"

#include <cstring>

#include "classlib/Exception.h"

namespace {

[[noreturn]] void raiseLastError() {
  DWORD code = GetLastError();
  char buf[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, buf, sizeof buf, nullptr);
  AnsiString text(buf, n);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
    text.pop_back();
  if (text.empty()) text = "System error " + std::to_string(code);
  throw Exception(text);
}

}  // namespace

TTagMonitorSharedMem::TTagMonitorSharedMem() {
  FMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                TTagMonitorRecord::Size, Name);
  if (!FMapping) raiseLastError();
  FView = static_cast<uint8_t*>(
      MapViewOfFile(FMapping, FILE_MAP_WRITE, 0, 0, TTagMonitorRecord::Size));
  if (!FView) {
    DWORD code = GetLastError();
    CloseHandle(FMapping);
    SetLastError(code);
    raiseLastError();
  }
}

TTagMonitorSharedMem::~TTagMonitorSharedMem() {
  if (FView) UnmapViewOfFile(FView);
  if (FMapping) CloseHandle(FMapping);
}

TTagMonitorEvent::TTagMonitorEvent() {
  FEvent = CreateEventA(nullptr, FALSE, FALSE, Name);
  if (!FEvent) raiseLastError();
}

TTagMonitorEvent::~TTagMonitorEvent() {
  if (FEvent) CloseHandle(FEvent);
}

void TTagMonitorEvent::Signal() { SetEvent(FEvent); }

void TMonitorSender::Send(TMonitorKind kind, const AnsiString& text, int32_t value) {
  TTagMonitorRecord::Bytes bytes = TTagMonitorRecord::Encode(kind, value, text);
  std::memcpy(FMemory.Data(), bytes.data(), bytes.size());
  FEvent.Signal();
}

TTagMonitor::TTagMonitor(TComponent* owner)
    : TComponent(owner), FSender(std::make_unique<TMonitorSender>()) {}

TTagMonitor::~TTagMonitor() = default;

void TTagMonitor::Send(TMonitorKind kind, const AnsiString& msg, int32_t value) {
  FSender->Send(kind, AppID.empty() ? msg : "[" + AppID + "] " + msg, value);
}

void TTagMonitor::SendInfo(const AnsiString& msg, int32_t value) { Send(mkInfo, msg, value); }
void TTagMonitor::SendWarning(const AnsiString& msg, int32_t value) {
  Send(mkWarning, msg, value);
}
void TTagMonitor::SendError(const AnsiString& msg, int32_t value) { Send(mkError, msg, value); }
