#pragma once
// The program's discipline-flag table: for each competition class one flag
// byte per athlete row (bit k set: the athlete starts in discipline k) and
// the performance texts the grid shows, one buffer per row and discipline.
// The grid, its discipline editors and the entry window share it; it lives
// for the whole run of the program.
#include <cstdint>

struct DisziFlagTable {
    static constexpr int32_t Classes = 12;
    static constexpr int32_t Rows = 13;
    static constexpr int32_t Disciplines = 7;
    static constexpr int32_t TextSize = 15;

    uint8_t flags[Classes][Rows];
    char texts[Classes][Rows][Disciplines][TextSize];

    // The flag byte of a row, or null for a class or row outside the table.
    uint8_t* flagsOf(int32_t table, int32_t row)
    {
        if (table < 0 || table >= Classes || row < 0 || row >= Rows)
            return nullptr;
        return &flags[table][row];
    }
    bool isSet(int32_t table, int32_t row, int32_t discipline)
    {
        const uint8_t* f = flagsOf(table, row);
        return f && discipline >= 0 && discipline < 8 && (*f >> discipline & 1) != 0;
    }
    // Clears the flags and texts of one class.
    void clearClass(int32_t table);
};

extern DisziFlagTable gDisziFlags;
