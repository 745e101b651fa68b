#pragma once
// Key maps: bindings of a key, a shift state and a character filter to a
// handler, searched from the most recent binding.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Shift-state bits.
enum TShiftStateBit : uint8_t {
  ssShift = 1 << 0,
  ssAlt = 1 << 1,
  ssCtrl = 1 << 2,
  ssLeft = 1 << 3,
  ssRight = 1 << 4,
  ssMiddle = 1 << 5,
  ssDouble = 1 << 6,
};
using TShiftState = uint8_t;

struct TKeyData {
  // 255 matches any character.
  uint8_t Char = 0;
  uint8_t Char2 = 0;
  uint16_t Key = 0;
  TShiftState Shift = 0;
  std::function<void()> Handler;
};

class TKeyList {
 public:
  static constexpr uint8_t AnyChar = 255;
  TKeyData* AddKey(uint16_t key, TShiftState shift, std::function<void()> handler, uint8_t c, uint8_t c2);
  // Character 0: matches only a key press that carries no character.
  TKeyData* AddSimpleKey(uint16_t key, TShiftState shift, std::function<void()> handler);
  // Any character.
  TKeyData* AddAllKey(uint16_t key, TShiftState shift, std::function<void()> handler);
  // The binding of equal key and shift whose character is `c` or any; the
  // last hit is tried first, then the list from its end. Null when none.
  TKeyData* FindKeyData(uint16_t key, TShiftState shift, uint8_t c);
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  void Clear();

 private:
  std::vector<std::unique_ptr<TKeyData>> FItems;
  TKeyData* FLastFound = nullptr;
};
