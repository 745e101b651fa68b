#pragma once
// One item of a tree control: its text, optional pictures, state flags and
// child list. The users of the control make the items and link them into
// the lists; an item deletes its children with itself and tells its owner
// control that it is gone.
#include <windows.h>

#include <cstdint>

#include "framework/core/RcCString.h"
#include "framework/core/zDblList.h"

class zTreeCtrl;
class zTreeItem;
using zTreeItemDList = zDblList<zTreeItem>;

class zTreeItem {
public:
    explicit zTreeItem(const char* label = "", int32_t pictureNumber = -1, int32_t selectedPictureNumber = -1)
        : text(label ? label : ""), selectedPicture(selectedPictureNumber), picture(pictureNumber)
    {
    }
    virtual ~zTreeItem();
    zTreeItem(const zTreeItem&) = delete;
    zTreeItem& operator=(const zTreeItem&) = delete;

    // Draws the item's line with its top-left corner at the point.
    virtual void draw(zTreeCtrl* tree, POINT at);

    zTreeItemDList* children = nullptr;  // owned; null for a leaf
    RcCString text;
    int32_t level = 0;
    int32_t expanded = 0;
    int32_t selected = 0;
    int32_t selectedPicture = -1;
    int32_t picture = -1;
    int32_t data1 = 0;
    int32_t data2 = 0;
    zTreeCtrl* owner = nullptr;
};
