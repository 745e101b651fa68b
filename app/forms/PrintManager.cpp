#include "app/forms/PrintManager.h"

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
