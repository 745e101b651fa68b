#pragma once
// A stack of drawing objects of one kind (pens, brushes or fonts) with its
// current object. The objects left on the stack belong to it and are
// deleted with it; an object taken off goes to the caller as its owner.
#include <cstdint>
#include <memory>

#include "framework/core/zSlist.h"

template <class T>
class zDrawStack {
public:
    zDrawStack() = default;
    zDrawStack(const zDrawStack&) = delete;
    zDrawStack& operator=(const zDrawStack&) = delete;
    ~zDrawStack()
    {
        while (stack_.count())
            delete stack_.pop();
    }

    // The current object (normally the top; null on an empty stack).
    T* current() const { return current_; }
    // Leaves nothing current until the next push.
    void clearCurrent() { current_ = nullptr; }
    int32_t count() const { return stack_.count(); }

    // The object goes on top and becomes current.
    void push(T* object)
    {
        stack_.push(object);
        current_ = object;
    }
    // Takes the top off; the new top becomes current.
    std::unique_ptr<T> pop()
    {
        std::unique_ptr<T> old(stack_.pop());
        current_ = stack_.top();
        return old;
    }
    // Takes the top off without making another current.
    std::unique_ptr<T> takeTop() { return std::unique_ptr<T>(stack_.pop()); }

private:
    zSlist<T*> stack_;
    T* current_ = nullptr;
};
