#pragma once
// Command id to help text table of the status line. The table points at an
// array owned by the caller, ended by an entry whose text is null.

#include <cstdint>

struct zStatusMessage {
    int32_t id;
    const char* text;
};

class zStatusMessageTable {
public:
    zStatusMessageTable() = default;

    // Replaces the array (null empties the table); the array is not copied.
    void set(const zStatusMessage* entries) { entries_ = entries; }

    // The text of the first entry with the id, or null.
    const char* find(int32_t id) const;

    // No array, or one whose first id is 0.
    bool isEmpty() const { return !entries_ || entries_[0].id == 0; }

private:
    const zStatusMessage* entries_ = nullptr;
};
