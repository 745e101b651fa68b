#pragma once
// The error list: per competition class up to 49 entries found by the entry
// check.
#include "app/core/EventDefinition.h"

#include <cstdint>

struct ErrorEntry {
  int32_t used;  // 1 when added
  int32_t code;  // 1-22
  int32_t cleared;
  int32_t cls;
  int32_t team;
  int32_t member;     // -1: the whole team
  int32_t reference;  // discipline 0-6, or -1
  int32_t last;
};
static_assert(sizeof(ErrorEntry) == 32);

class Meldefehler {
public:
  static constexpr int32_t kSlots = 50;
  static constexpr int32_t kMaxPerClass = 49;

  Meldefehler();
  ~Meldefehler();
  Meldefehler(const Meldefehler&) = delete;
  Meldefehler& operator=(const Meldefehler&) = delete;

  void clearAll();
  void clearClass(int32_t cls);
  int32_t count(int32_t cls) const;
  int32_t countFlagged(int32_t cls) const;
  int32_t countUnflagged(int32_t cls) const;
  void add(int32_t cls, int32_t code, int32_t team, int32_t member, int32_t reference);
  // Entry i of a class, or null outside the class's 50 slots.
  const ErrorEntry* entry(int32_t cls, int32_t i) const;

private:
  static bool validClass(int32_t c) { return c >= 0 && c < kMaxClasses; }
  ErrorEntry* entries_[kMaxClasses][kSlots] = {};
  int32_t counts_[kMaxClasses] = {};
};
