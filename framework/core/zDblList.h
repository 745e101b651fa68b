#pragma once
// A doubly linked list with a head node, and its iterator.

#include <cstdint>

template <class T>
struct zDListNode {
    zDListNode* next;
    zDListNode* prev;
    T* item;
};

template <class T>
class zDListIter;

template <class T>
class zDblList {
public:
    zDblList() { head_.next = head_.prev = &head_; head_.item = nullptr; }
    zDblList(const zDblList&) = delete;
    zDblList& operator=(const zDblList&) = delete;
    ~zDblList() { clear(false); }

    void append(T* item)
    {
        auto* node = new zDListNode<T>{&head_, head_.prev, item};
        head_.prev->next = node;
        head_.prev = node;
        ++count_;
    }
    // The item at a zero-based index, null out of range.
    T* at(int32_t index) const
    {
        if (index < 0 || index >= count_)
            return nullptr;
        const zDListNode<T>* node = head_.next;
        while (index-- > 0)
            node = node->next;
        return node->item;
    }
    // Unlinks and deletes the node holding the item; 1 when found.
    int remove(T* item)
    {
        for (zDListNode<T>* node = head_.next; node != &head_; node = node->next) {
            if (node->item == item) {
                unlink(node);
                return 1;
            }
        }
        return 0;
    }
    // Deletes every node, and every item too when asked.
    void clear(bool deleteItems)
    {
        zDListNode<T>* node = head_.next;
        while (node != &head_) {
            zDListNode<T>* following = node->next;
            if (deleteItems)
                delete node->item;
            delete node;
            node = following;
        }
        head_.next = head_.prev = &head_;
        count_ = 0;
    }
    int32_t count() const { return count_; }

private:
    friend class zDListIter<T>;
    void unlink(zDListNode<T>* node)
    {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        delete node;
        --count_;
    }

    zDListNode<T> head_;
    int32_t count_ = 0;
};

template <class T>
class zDListIter {
public:
    // backward: walk along the previous links instead of the next links.
    explicit zDListIter(zDblList<T>& list, bool backward = false)
        : list_(&list), current_(&list.head_), backward_(backward) {}

    // The next item in the iterator's direction, null at the end.
    T* next()
    {
        current_ = backward_ ? current_->prev : current_->next;
        return current_ == &list_->head_ ? nullptr : current_->item;
    }
    T* current() const { return current_ == &list_->head_ ? nullptr : current_->item; }

    // Positions on the node at the index; false when it is outside
    // 0..count-1.
    bool seek(int32_t index)
    {
        if (index < 0 || index >= list_->count_)
            return false;
        zDListNode<T>* node = &list_->head_;
        if (!backward_) {
            for (int32_t i = 0; i <= index; ++i)
                node = node->next;
        } else {
            for (int32_t i = list_->count_ - 1; i >= index; --i)
                node = node->prev;
        }
        current_ = node;
        return true;
    }
    // Positions on the node holding the item, or on the head.
    bool find(T* item)
    {
        for (zDListNode<T>* node = list_->head_.next; node != &list_->head_; node = node->next) {
            if (node->item == item) {
                current_ = node;
                return true;
            }
        }
        current_ = &list_->head_;
        return false;
    }
    // Unlinks and deletes the current node and steps back one node against
    // the direction of the walk, so that next() goes on after it.
    void remove()
    {
        if (current_ == &list_->head_)
            return;
        zDListNode<T>* node = current_;
        current_ = backward_ ? node->next : node->prev;
        list_->unlink(node);
    }

private:
    zDblList<T>* list_;
    zDListNode<T>* current_;
    bool backward_;
};
