#pragma once
// Cells of a table model. A cell knows its model and position, holds its
// text and draws itself. The model owns its cells; a cell enters the model
// at its position when it is constructed and leaves it when destroyed,
// unless the model has detached it first (flag Detached).
#include <cstdint>

#include "framework/core/RcCString.h"
#include "framework/core/zRect.h"
#include "framework/tables/ziTablePos.h"

class zDisplay;
class zTableModel;
struct ziTableEnv;

class zTableCell {
public:
    enum : uint32_t {
        Made = 0x02,       // made by the cell maker: new text replaces the cell
        Formatted = 0x04,
        Number = 0x08,
        Detached = 0x80,   // the model no longer points to this cell
    };

    zTableCell(zTableModel* owner, const ziTablePos& at);
    virtual ~zTableCell();
    zTableCell(const zTableCell&) = delete;
    zTableCell& operator=(const zTableCell&) = delete;

    // Draws nothing.
    virtual void draw(const zRect& rect, zDisplay* display, ziTableEnv* env);
    // An empty string.
    virtual const char* text() const;
    // Reports the change only; keeps no text.
    virtual void setText(const char* text);

    zTableModel* model;
    ziTablePos position;
    uint32_t flags = Made;
};

class zTableTextCell : public zTableCell {
public:
    // Does not report a change.
    zTableTextCell(zTableModel* owner, const char* text, const ziTablePos& at);

    void draw(const zRect& rect, zDisplay* display, ziTableEnv* env) override;
    const char* text() const override { return text_.c_str(); }
    void setText(const char* text) override;

protected:
    // Draws the given text as the cell's face (text cells and formatted
    // cells share it).
    void drawText(const char* shown, const zRect& rect, zDisplay* display, ziTableEnv* env);

    RcCString text_;
};

// A cell that keeps the text as typed and shows it through the formatter
// of its kind's format attribute.
class zTableFmtCellBase : public zTableTextCell {
public:
    zTableFmtCellBase(zTableModel* owner, const char* text, const ziTablePos& at);

    // The raw text.
    const char* text() const override { return raw_.c_str(); }
    void setText(const char* text) override;
    // The formatted text that the cell shows.
    const char* shownText() const { return text_.c_str(); }

protected:
    // For the derived constructors, which set their flags before the text.
    zTableFmtCellBase(zTableModel* owner, const ziTablePos& at) : zTableTextCell(owner, nullptr, at) {}

    RcCString raw_;
};

class zTableFmtTextCell : public zTableFmtCellBase {
public:
    zTableFmtTextCell(zTableModel* owner, const char* text, const ziTablePos& at);
};

class zTableFmtNumCell : public zTableFmtCellBase {
public:
    zTableFmtNumCell(zTableModel* owner, const char* text, const ziTablePos& at);
};
