#include "components/buttonedits/runtime/KeyList.h"

namespace {

bool Matches(const TKeyData& d, uint16_t key, TShiftState shift, uint8_t c) {
  return d.Key == key && d.Shift == shift && (d.Char == c || d.Char == TKeyList::AnyChar);
}

}  // namespace

TKeyData* TKeyList::AddKey(uint16_t key, TShiftState shift, std::function<void()> handler, uint8_t c, uint8_t c2) {
  auto d = std::make_unique<TKeyData>();
  d->Key = key;
  d->Shift = shift;
  d->Char = c;
  d->Char2 = c2;
  d->Handler = std::move(handler);
  FItems.push_back(std::move(d));
  return FItems.back().get();
}

TKeyData* TKeyList::AddSimpleKey(uint16_t key, TShiftState shift, std::function<void()> handler) {
  return AddKey(key, shift, std::move(handler), 0, 0);
}

TKeyData* TKeyList::AddAllKey(uint16_t key, TShiftState shift, std::function<void()> handler) {
  return AddKey(key, shift, std::move(handler), AnyChar, 0);
}

TKeyData* TKeyList::FindKeyData(uint16_t key, TShiftState shift, uint8_t c) {
  if (FLastFound && Matches(*FLastFound, key, shift, c)) return FLastFound;
  for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
    if (Matches(**it, key, shift, c)) {
      FLastFound = it->get();
      return FLastFound;
    }
  }
  return nullptr;
}

void TKeyList::Clear() {
  FItems.clear();
  FLastFound = nullptr;
}
