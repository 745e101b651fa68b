#pragma once
// The status line: a pane along the bottom of a frame with a row of items
// and a message area that, while on, shows one line of text instead. It
// follows the owner frame's menu and shows the help text of the command
// under the mouse, in the message area or in one of its items.

#include "framework/controls3d/ziVisualPane.h"
#include "framework/controls3d/zStatusMessageTable.h"
#include "framework/core/RcCString.h"
#include "framework/core/zDblList.h"

class zFont;
class zStatusItem;
class ziBorderManager;
class ziControlCompound;

using zStatusItemDList = zDblList<zStatusItem>;
using zStatusItemDListIter = zDListIter<zStatusItem>;

class zStatusLine : public ziVisualPane {
public:
    // Takes the font; null selects "Helv" of 10 points.
    zStatusLine(zWindow* parent, zSizer* sizer, uint32_t statusStyle, DWORD paneStyle, zFont* font);
    ~zStatusLine() override;

    LRESULT defWindowProc(zEvent* ev) override;
    int draw(zEvent* ev) override;
    virtual int onMenuSelect(zEvent* ev);

    void setItemText(int32_t id, const char* text);
    zStatusItem* findItem(int32_t id);
    void addItem(zStatusItem* item);
    void removeItem(zStatusItem* item);

    void setMessage(const char* text);
    void messageModeOn();
    void messageModeOff();
    void setMessageTable(const zStatusMessage* table);
    void showMenuHelp();
    void setMessageItem(zStatusItem* item);
    void useItemForMessages(int32_t id);
    void endMenuHelp();

    // The window that receives forwarded commands and whose menu is followed.
    zWindow* owner() const;
    const RcCString& message() const { return message_; }
    int32_t messageAreaOn() const { return messageArea_; }
    int32_t menuHelpActive() const { return menuHelpActive_; }
    void setMenuHelpActive(int32_t flag) { menuHelpActive_ = flag; }
    uint8_t messageMode() const { return messageMode_; }
    zStatusItem* messageItem() const { return messageItem_; }
    const RcCString& savedItemText() const { return savedItemText_; }
    void setSavedItemText(const char* text) { savedItemText_ = text; }
    uint32_t statusStyle() const { return style_; }
    int32_t lineHeight() const { return height_; }
    ziControlCompound* faceCompound() const { return faceCompound_; }
    const zStatusItemDList& items() const { return items_; }
    // The message area: the whole width from y = 2 to the bottom.
    zRect messageRect();

protected:
    void layout();
    void followMenu();

    int32_t forward_ = 1;
    int32_t attached_ = 0;
    uint32_t style_;
    zStatusMessageTable table_;
    RcCString message_;
    RcCString savedItemText_;
    int32_t messageArea_ = 0;
    int32_t menuHelpActive_ = 0;
    int32_t helpBase_ = 0;
    zStatusItem* messageItem_ = nullptr;
    uint8_t messageMode_ = 0;
    zFont* font_ = nullptr;
    ziBorderManager* borders_ = nullptr;
    zStatusItemDList items_;
    int32_t topInset_ = 2;
    int32_t bottomInset_ = 0;
    int32_t rightInset_ = 0;
    int32_t leftInset_ = 0;
    int32_t bevel_ = 2;
    ziControlCompound* faceCompound_ = nullptr;
    int32_t height_ = 0;
    bool following_ = false;
};
