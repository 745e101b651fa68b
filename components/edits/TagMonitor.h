#pragma once
// Sends one-line trace messages (information, warning, error) to a
// separate monitor program: each message rewrites the record in the shared
// block "MonitorData" and sets the auto-reset event "MonitorEvent.Data".
// No lock is taken; a monitor that reads late sees only the newest message.
#include <windows.h>

#include <memory>

#include "classlib/Component.h"
#include "components/edits/TagMonitorRecord.h"

// The named, page-file backed block of one record, mapped for writing.
class TTagMonitorSharedMem {
 public:
  static constexpr const char* Name = "MonitorData";
  TTagMonitorSharedMem();
  ~TTagMonitorSharedMem();
  TTagMonitorSharedMem(const TTagMonitorSharedMem&) = delete;
  TTagMonitorSharedMem& operator=(const TTagMonitorSharedMem&) = delete;
  uint8_t* Data() const { return FView; }

 private:
  HANDLE FMapping = nullptr;
  uint8_t* FView = nullptr;
};

// The auto-reset event that tells the monitor a record was written.
class TTagMonitorEvent {
 public:
  static constexpr const char* Name = "MonitorEvent.Data";
  TTagMonitorEvent();
  ~TTagMonitorEvent();
  TTagMonitorEvent(const TTagMonitorEvent&) = delete;
  TTagMonitorEvent& operator=(const TTagMonitorEvent&) = delete;
  void Signal();

 private:
  HANDLE FEvent = nullptr;
};

class TMonitorSender {
 public:
  void Send(TMonitorKind kind, const AnsiString& text, int32_t value);

 private:
  TTagMonitorSharedMem FMemory;
  TTagMonitorEvent FEvent;
};

class TTagMonitor : public TComponent {
 public:
  // Opens (or creates) the block and the event; a failing system call
  // raises the system's error text as an Exception.
  explicit TTagMonitor(TComponent* owner);
  ~TTagMonitor() override;

  AnsiString AppID;  // put in front of every message as "[AppID] "

  void SendInfo(const AnsiString& msg, int32_t value);
  void SendWarning(const AnsiString& msg, int32_t value);
  void SendError(const AnsiString& msg, int32_t value);

 private:
  void Send(TMonitorKind kind, const AnsiString& msg, int32_t value);
  std::unique_ptr<TMonitorSender> FSender;
};
