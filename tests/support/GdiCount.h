#pragma once
// The number of GDI objects this process holds, for tests that open and
// close windows many times and check that nothing is left behind.
//
//   const unsigned before = kel::test::gdiObjectCount();
//   ... 100 open-paint-close cycles ...
//   EXPECT_LE(kel::test::gdiObjectCount(), before);
//
//   expectNoGdiGrowth(cycle)   runs cycle() twice, counts, runs it 100 times
//                              and fails when the count grew
//
// Windows answers GetGuiResources(GR_GDIOBJECTS). Wine answers 0 there; it
// keeps the process's GDI handle table where the process environment block
// points (as Windows once did): its 24-byte entries carry the object's type
// in byte 14, 0 for a free entry, so the used entries are counted.
// Stock objects and the system's caches are made once, on first use: count
// after a first cycle.
#include <gtest/gtest.h>
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace kel::test {

inline unsigned gdiObjectCount()
{
    if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return n;
    constexpr size_t tableOffset = 0xF8; // GdiSharedHandleTable in the 64-bit PEB
    constexpr size_t entrySize = 24, typeByte = 14, maxEntries = 0x10000;
    const auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + tableOffset);
    MEMORY_BASIC_INFORMATION region{};
    if (!table || !VirtualQuery(table, &region, sizeof region) || region.State != MEM_COMMIT) {
        ADD_FAILURE() << "no way to count the process's GDI objects";
        return 0;
    }
    const size_t readable = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize - table;
    const size_t entries = std::min(maxEntries, readable / entrySize);
    unsigned used = 0;
    for (size_t i = 0; i < entries; ++i)
        used += table[i * entrySize + typeByte] != 0;
    return used;
}

inline void expectNoGdiGrowth(const std::function<void()>& cycle, int cycles = 100)
{
    cycle();
    cycle();
    const unsigned before = gdiObjectCount();
    for (int i = 0; i < cycles; ++i)
        cycle();
    EXPECT_LE(gdiObjectCount(), before) << "GDI objects left behind by " << cycles << " cycles";
}

} // namespace kel::test
