#include "components/buttonedits/controls/BkgndOption.h"

#include <algorithm>
#include <cstdlib>

std::vector<uint32_t> GradientColors(uint32_t from, uint32_t to) {
  int a[3], b[3], most = 0;
  for (int i = 0; i < 3; ++i) {
    a[i] = static_cast<int>((from >> (8 * i)) & 0xFF);
    b[i] = static_cast<int>((to >> (8 * i)) & 0xFF);
    most = std::max(most, std::abs(b[i] - a[i]));
  }
  int steps = std::max(most, 0) + 1;
  std::vector<uint32_t> out;
  out.reserve(static_cast<size_t>(steps));
  for (int s = 0; s < steps; ++s) {
    uint32_t c = 0;
    for (int i = 0; i < 3; ++i) {
      int v = steps == 1 ? a[i] : a[i] + (b[i] - a[i]) * s / (steps - 1);
      c |= static_cast<uint32_t>(v) << (8 * i);
    }
    out.push_back(c);
  }
  return out;
}
