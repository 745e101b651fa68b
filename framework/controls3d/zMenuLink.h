#pragma once
// Keeps the menu items of a tool bar's owner in line with its buttons: a
// disabled button grays the item with the same command id, a checked one
// checks it.

#include "framework/core/zDevice.h"

class zMenu;
class zToolbar;

class zMenuLink : public zDevice {
public:
    static constexpr uint32_t FollowEnabled = 0x1;
    static constexpr uint32_t FollowChecked = 0x2;

    // All command ids 0..0xFFFF; a null menu means the tool bar parent's.
    zMenuLink(zToolbar* toolbar, uint32_t flags, zMenu* menu);
    ~zMenuLink() override;

    virtual int notify(zEvent* ev);
    virtual void attach(zWindow* button);
    virtual void detach(zWindow* button);

    zMenu* menu() const { return menu_; }

protected:
    void init(zToolbar* toolbar, uint32_t first, uint32_t last, uint32_t flags, zMenu* menu);
    // Runs fn for every button the link covers.
    template <class Fn>
    void forEachButton(Fn fn);

    zToolbar* toolbar_ = nullptr;
    zMenu* menu_ = nullptr;
    uint32_t first_ = 0;
    uint32_t last_ = 0xFFFF;
    uint32_t flags_ = 0;
};
