#include "components/buttonedits/controls/KeySequenceList.h"

void TKeySequenceList::Add(uint16_t key, uint32_t shift, uint8_t state, uint8_t nextState,
                           std::function<void()> method) {
  FItems.push_back({key, shift, state, nextState, std::move(method)});
}

bool TKeySequenceList::Dispatch(uint16_t key, uint32_t shift) {
  for (const TKeySequenceEntry& e : FItems) {
    if (e.Key != key || e.Shift != shift || e.State != FState) continue;
    // The method may change the table: keep what the entry says first.
    uint8_t next = e.NextState;
    std::function<void()> method = e.Method;
    FState = next;
    if (method) method();
    return true;
  }
  FState = 0;
  return false;
}

void TKeySequenceList::Clear() {
  FItems.clear();
  FState = 0;
}
