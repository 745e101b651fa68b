#pragma once
// A singly linked ring: the list keeps its last link, whose next is the head.

#include <cstdint>
#include <new>
#include <utility>

#include "framework/core/RcCString.h"

template <class T>
class zSlist {
    struct Link {
        Link* next;
        T item;
    };

public:
    zSlist() = default;
    zSlist(const zSlist&) = delete;
    zSlist& operator=(const zSlist&) = delete;
    ~zSlist()
    {
        while (last_)
            pop();
    }

    // A new link at the head; 0 when no link could be allocated.
    int push(const T& item)
    {
        Link* link = new (std::nothrow) Link{nullptr, item};
        if (!link)
            return 0;
        if (!last_) {
            link->next = link;
            last_ = link;
        } else {
            link->next = last_->next;
            last_->next = link;
        }
        ++count_;
        return 1;
    }
    // A new link at the tail.
    int append(const T& item)
    {
        if (!push(item))
            return 0;
        last_ = last_->next;
        return 1;
    }
    // Takes the head link off and returns its item (T() when empty).
    T pop()
    {
        if (!last_)
            return T();
        Link* head = last_->next;
        if (head == last_)
            last_ = nullptr;
        else
            last_->next = head->next;
        T item = std::move(head->item);
        delete head;
        --count_;
        return item;
    }
    T top() const { return last_ ? last_->next->item : T(); }
    int32_t count() const { return count_; }

    // Visits the items from head to tail once.
    template <class F>
    void forEach(F&& f) const
    {
        if (!last_)
            return;
        Link* link = last_->next;
        for (int32_t i = 0; i < count_; ++i, link = link->next)
            f(link->item);
    }

private:
    Link* last_ = nullptr;
    int32_t count_ = 0;
};

// The application's list of registered window-class names.
using RcCStringSlist = zSlist<RcCString>;
