#pragma once
// The print queue: jobs (number, print type, class, team) queued by the
// print choice and printed later from idle time, the last queued first. The
// printing flag stops the idle task from taking jobs while the queue is
// being filled; the main frame sets the start hook
// (QuanteloApp::startPrintQueue). The program holds one print state. A job leaves the queue when it is handed
// to the print pane (takeLast), so a job queued while another prints is
// never the one dropped when that other ends.
#include <cstdint>
#include <functional>
#include <vector>

#include "app/core/EventDefinition.h"

enum PrintType : int32_t { kPrintEntryForm = 0, kPrintPupilList = 1 };

struct PrintJob {
  int32_t number;
  int32_t type;  // PrintType
  int32_t cls;
  int32_t team;
  int32_t position;  // place in the queue when it was added
};
static_assert(sizeof(PrintJob) == 20);

class PrintManager {
 public:
  static constexpr int32_t kCapacity = 480;

  PrintManager() { jobs_.reserve(kCapacity); }

  // Appends a job while fewer than kCapacity are queued; ignores it else.
  void add(int32_t number, int32_t type, int32_t cls, int32_t team);
  // Drops the last queued job (nothing when the queue is empty).
  void countDown();
  int32_t count() const { return static_cast<int32_t>(jobs_.size()); }
  // The last queued job, or null when the queue is empty.
  const PrintJob* last() const { return jobs_.empty() ? nullptr : &jobs_.back(); }
  const PrintJob& job(int32_t i) const { return jobs_.at(static_cast<size_t>(i)); }
  // Takes the last queued job off the queue; false when it is empty.
  bool takeLast(PrintJob& out);
  void clear() { jobs_.clear(); }

 private:
  std::vector<PrintJob> jobs_;
};

struct PrintJobCell {
  int32_t cls, team, type;
};

struct PrintState {
  PrintManager printManager;
  // 1 lets the idle print task take jobs, 0 stops it.
  int32_t printing = 1;
  // Registers the idle print task (once); set by the main frame.
  std::function<void()> startPrintQueue;
  // The job tables the printing code reads: (class, team, type) per job,
  // one table for entry forms and one for pupil lists, and per team its two
  // job cells (-1: none).
  PrintJobCell entryFormJobs[PrintManager::kCapacity] = {};
  PrintJobCell pupilListJobs[PrintManager::kCapacity] = {};
  int32_t teamPrintCells[kMaxClasses][kMaxTeams][2] = {};
};
