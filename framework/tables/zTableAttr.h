#pragma once
// Drawing attributes of table cells: each covers a range of cells and fills
// one slot (its kind, 0 to 9) of a cell's drawing environment. The table
// applies kinds 1 to 3 to the display around a cell's drawing, reads the
// formatters of kinds 5 (text) and 6 (number), the alignment of kind 7 and
// takes the presence of kind 4 as read-only. The users of the table write
// the attribute classes; the model owns the attributes in its list.
#include <cstdint>

#include "framework/core/zPlist.h"
#include "framework/tables/ziTablePos.h"

class zDisplay;
class zFont;
class zFormatter;

class zTableAttr {
public:
    enum Kind : int32_t {
        Font = 3,
        ReadOnly = 4,
        TextFormat = 5,
        NumberFormat = 6,
        Alignment = 7,
        KindCount = 10,
    };

    zTableAttr(int32_t attrKind, const ziTableRange& cells) : kind(attrKind), range(cells) {}
    virtual ~zTableAttr() = default;
    zTableAttr(const zTableAttr&) = delete;
    zTableAttr& operator=(const zTableAttr&) = delete;

    virtual void apply(zDisplay*) {}
    virtual void restore(zDisplay*) {}

    int32_t kind;
    ziTableRange range;
};

// Kinds 5 and 6: the formatter that shapes a cell's text (not owned).
class zTableFormatAttr : public zTableAttr {
public:
    zTableFormatAttr(int32_t attrKind, const ziTableRange& cells, zFormatter* shaper)
        : zTableAttr(attrKind, cells), formatter(shaper)
    {
    }
    zFormatter* formatter;
};

// Kind 7: 1 left, 2 right, 4 centred; any other value draws as left.
class zTableAlignAttr : public zTableAttr {
public:
    enum : uint8_t { Left = 1, Right = 2, Centred = 4 };
    zTableAlignAttr(const ziTableRange& cells, uint8_t how)
        : zTableAttr(Alignment, cells), alignment(how)
    {
    }
    uint8_t alignment;
};

// Kind 3: the screen font and the printer font the printable table fills
// in while it prints (owned by its font map, not by the attribute).
class zTableFontAttr : public zTableAttr {
public:
    zTableFontAttr(const ziTableRange& cells, zFont* screenFont) : zTableAttr(Font, cells), font(screenFont) {}
    zFont* font;
    int32_t spare = 0;
    zFont* printerFont = nullptr;
};

// The model's attributes, owned by the model.
using zTableAttrDlist = zPlistOf<zTableAttr>;
