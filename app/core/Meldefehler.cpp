#include "app/core/Meldefehler.h"

Meldefehler::Meldefehler() {
  for (auto& cls : entries_)
    for (ErrorEntry*& e : cls) e = new ErrorEntry{};
}

Meldefehler::~Meldefehler() {
  for (auto& cls : entries_)
    for (ErrorEntry* e : cls) delete e;
}

void Meldefehler::clearAll() {
  for (int32_t c = 0; c < kMaxClasses; ++c) clearClass(c);
}

void Meldefehler::clearClass(int32_t cls) {
  if (!validClass(cls)) return;
  counts_[cls] = 0;
  for (ErrorEntry* e : entries_[cls]) {
    e->code = 0;
    e->cleared = 0;
    e->reference = 0;
  }
}

int32_t Meldefehler::count(int32_t cls) const { return validClass(cls) ? counts_[cls] : 0; }

int32_t Meldefehler::countFlagged(int32_t cls) const {
  int32_t n = 0;
  for (int32_t i = 0; i < count(cls); ++i)
    if (entries_[cls][i]->used) ++n;
  return n;
}

int32_t Meldefehler::countUnflagged(int32_t cls) const { return count(cls) - countFlagged(cls); }

void Meldefehler::add(int32_t cls, int32_t code, int32_t team, int32_t member, int32_t reference) {
  if (!validClass(cls) || counts_[cls] >= kMaxPerClass) return;
  ErrorEntry* e = entries_[cls][counts_[cls]++];
  e->used = 1;
  e->code = code;
  e->cls = cls;
  e->team = team;
  e->member = member;
  e->reference = reference;
}

const ErrorEntry* Meldefehler::entry(int32_t cls, int32_t i) const {
  return validClass(cls) && i >= 0 && i < kSlots ? entries_[cls][i] : nullptr;
}
