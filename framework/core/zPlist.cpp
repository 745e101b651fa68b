#include "framework/core/zPlist.h"

void zLink::linkAfter(zLink* after)
{
    next = after->next;
    prev = after;
    after->next->prev = this;
    after->next = this;
    iterCount = 0;
}

void zLink::unlink()
{
    prev->next = next;
    next->prev = prev;
    next = prev = this;
}

zPlist::~zPlist()
{
    zLink* link = head_.next;
    while (link != &head_) {
        zLink* following = link->next;
        delete link;
        link = following;
    }
}

void zPlist::append(void* item)
{
    zLink* link = new zLink;
    link->item = item;
    link->linkAfter(head_.prev);
}

void zPlist::dropIfFree(zLink* link)
{
    if (link->removed && link->iterCount == 0) {
        link->unlink();
        delete link;
    }
}

bool zPlist::remove(void* item)
{
    for (zLink* link = head_.next; link != &head_; link = link->next) {
        if (!link->removed && link->item == item) {
            link->removed = 1;
            dropIfFree(link);
            return true;
        }
    }
    return false;
}

bool zPlist::contains(void* item) const
{
    for (const zLink* link = head_.next; link != &head_; link = link->next)
        if (!link->removed && link->item == item)
            return true;
    return false;
}

int32_t zPlist::count() const
{
    int32_t n = 0;
    for (const zLink* link = head_.next; link != &head_; link = link->next)
        if (!link->removed)
            ++n;
    return n;
}

void zPListIter::leave()
{
    if (!current_)
        return;
    zLink* link = current_;
    current_ = nullptr;
    --link->iterCount;
    zPlist::dropIfFree(link);
}

void* zPListIter::next()
{
    zLink* link = current_ ? current_->next : head_->next;
    leave();
    while (link != head_) {
        zLink* following = link->next;
        if (!link->removed) {
            ++link->iterCount;
            current_ = link;
            return link->item;
        }
        zPlist::dropIfFree(link);
        link = following;
    }
    return nullptr;
}

void zPListIter::remove()
{
    if (current_)
        current_->removed = 1;
}
