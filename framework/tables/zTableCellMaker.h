#pragma once
// Makes the cells of a model from typed texts: a text of digits, points and
// signs becomes a number cell, any other a text cell.
#include "framework/tables/ziTablePos.h"

class zTableCell;
class zTableModel;

class zTableCellMaker {
public:
    enum : int32_t { NumberKind = 1, TextKind = 2 };

    explicit zTableCellMaker(zTableModel* owner) : model(owner) {}
    virtual ~zTableCellMaker() = default;

    // 1 when the text is not empty and every character is a digit, '.',
    // '-' or '+' (nothing else is checked: "1.2.3" counts); otherwise 2.
    virtual int32_t classify(const ziTablePos& position, const char* text);
    // Kind 1 makes a number cell, any other kind a text cell; the cell
    // enters the model at the position.
    virtual zTableCell* makeCell(int32_t kind, const char* text, const ziTablePos& position);

    zTableModel* model;
};
