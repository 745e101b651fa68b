#pragma once
// The key table of a key-mapped control: each entry binds a key with its
// shift state, in one state of a key sequence, to a method and the state
// that follows. State 0 is "no sequence under way"; a two-key sequence is
// an entry from state 0 to some state n and an entry in state n back to 0.
#include <cstdint>
#include <functional>
#include <vector>

struct TKeySequenceEntry {
  uint16_t Key = 0;
  uint32_t Shift = 0;
  uint8_t State = 0;
  uint8_t NextState = 0;
  std::function<void()> Method;  // may be empty (a key that only moves the state)
};

class TKeySequenceList {
 public:
  void Add(uint16_t key, uint32_t shift, uint8_t state, uint8_t nextState, std::function<void()> method);
  // A key in the current state: a bound key runs its method, moves to the
  // entry's next state and is taken (true); any other key resets the state
  // to 0 and is not taken.
  bool Dispatch(uint16_t key, uint32_t shift);
  uint8_t State() const { return FState; }
  void ResetState() { FState = 0; }
  void Clear();
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }

 private:
  std::vector<TKeySequenceEntry> FItems;
  uint8_t FState = 0;
};
