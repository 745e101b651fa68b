// A standard dialog template read from the bytes of its resource. Every read
// is checked against the resource size; the extended form is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class zDialogTemplate {
public:
    static constexpr uint32_t StyleVisible = 0x10000000; // WS_VISIBLE
    static constexpr uint32_t StyleSetFont = 0x40;       // DS_SETFONT
    static constexpr size_t MaxText = 999;               // characters kept of a text

    // Standard class atoms.
    enum : uint16_t { Button = 0x80, Edit = 0x81, Static = 0x82, ListBox = 0x83, ScrollBar = 0x84, ComboBox = 0x85 };

    struct Item {
        uint32_t style = 0;
        uint32_t exStyle = 0;
        int16_t x = 0, y = 0, cx = 0, cy = 0;
        uint16_t id = 0;
        uint16_t classAtom = 0;      // 0 when the class is given by name
        std::u16string className;
        bool titleIsOrdinal = false;
        uint16_t titleOrdinal = 0;
        std::u16string title;
    };

    // False (and an empty template) for a missing, truncated or extended
    // template. Items that are cut off by the end of the data are dropped.
    bool parse(const void* data, size_t size);

    bool valid = false;
    uint32_t style = 0;   // as in the template, WS_VISIBLE included
    uint32_t exStyle = 0;
    uint16_t itemCount = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    bool hasMenu = false;
    uint16_t menuId = 0;
    std::u16string caption;
    bool hasFont = false;
    uint16_t pointSize = 0;
    std::u16string faceName;
    std::vector<Item> items;
};
