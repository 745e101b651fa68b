#pragma once
// The cell-editing state of the entry grid: the in-place editor of each
// column, the one open on the current cell, and what typed characters do
// to it: open it, go into it, or close it with or without its value.
#include <cstdint>

#include "app/windows/GridCellTexts.h"

class EditCell;
class InputTablePane;

class CellEditing {
public:
    static constexpr int32_t MaxColumns = GridCellTexts::MaxColumns;

    explicit CellEditing(InputTablePane& pane) : pane_(pane) {}
    ~CellEditing() { clear(); }
    CellEditing(const CellEditing&) = delete;
    CellEditing& operator=(const CellEditing&) = delete;

    // Installs the column's editor (owned from now on; an editor already
    // there is deleted).
    void setEditor(EditCell* editor, int32_t column);
    EditCell* editor(int32_t column) const;
    // The editor open on the current cell, or null.
    EditCell* active() const { return active_; }
    // Deletes every editor.
    void clear();

    // A typed character while an editor is open: Enter closes it with its
    // value, Escape without, and the grid then moves as its enter mode
    // says; other characters go into the editor. Answers 1 when used.
    int32_t character(uint32_t code);
    // A typed character on a closed cell: opens the column's editor on it
    // with the character. Answers 1 when used.
    int32_t open(uint32_t code);
    // Lets the open editor write its value into the current cell and closes
    // it (nothing when none is open).
    void commit();
    // Closes the open editor without its value.
    void drop();

private:
    InputTablePane& pane_;
    EditCell* editors_[MaxColumns] = {};
    EditCell* active_ = nullptr;
};
