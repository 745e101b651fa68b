#include "app/forms/PrintManager.h"

PrintManager gPrintManager;
int32_t gPrinting = 1;
std::function<void()> gStartPrintQueue;
PrintJobCell gEntryFormJobs[PrintManager::kCapacity];
PrintJobCell gPupilListJobs[PrintManager::kCapacity];
int32_t gTeamPrintCells[kMaxClasses][kMaxTeams][2];

void PrintManager::add(int32_t number, int32_t type, int32_t cls, int32_t team) {
  if (count() >= kCapacity) return;
  jobs_.push_back(PrintJob{number, type, cls, team, count()});
}

void PrintManager::countDown() {
  if (!jobs_.empty()) jobs_.pop_back();
}

bool PrintManager::takeLast(PrintJob& out) {
  if (jobs_.empty()) return false;
  out = jobs_.back();
  jobs_.pop_back();
  return true;
}
