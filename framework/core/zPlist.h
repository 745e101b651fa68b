#pragma once
// Intrusive pointer lists that tolerate removal while they are walked.
//
// A list is a ring of links around its own head link. An iterator counts
// itself on the link it stands on; removing an item only marks its link, and
// the link is unlinked and freed once no iterator stands on it any more. So a
// handler may remove itself or others from a list that is being walked, and a
// removed item is never offered again.

#include <cstdint>

struct zLink {
    zLink* next;
    zLink* prev;
    int32_t iterCount = 0;
    void* item = nullptr;
    int32_t removed = 0;

    zLink() : next(this), prev(this) {}
    // Links this link into the ring right after `after`.
    void linkAfter(zLink* after);
    // Takes this link out of its ring.
    void unlink();
};
using zPlink = zLink;

class zPlist {
public:
    zPlist() = default;
    zPlist(const zPlist&) = delete;
    zPlist& operator=(const zPlist&) = delete;
    ~zPlist();

    // Appends the item at the tail.
    void append(void* item);
    // Removes the first live link holding the item (marks it when an
    // iterator stands on it); true when found.
    bool remove(void* item);
    bool contains(void* item) const;
    int32_t count() const;
    bool isEmpty() const { return count() == 0; }

private:
    friend class zPListIter;
    // Frees a removed link unless an iterator still stands on it.
    static void dropIfFree(zLink* link);

    zLink head_;
};

class zPListIter {
public:
    explicit zPListIter(zPlist& list) : head_(&list.head_) {}
    zPListIter(const zPListIter&) = delete;
    zPListIter& operator=(const zPListIter&) = delete;
    ~zPListIter() { leave(); }

    // The next live item, or null at the end (the walk then starts over).
    void* next();
    // Marks the current item removed; its link goes when the last iterator
    // leaves it.
    void remove();
    void reset() { leave(); }

private:
    void leave();

    zLink* current_ = nullptr;
    zLink* head_;
};

// Typed views of a pointer list.
template <class T>
class zPlistOf : public zPlist {
public:
    void append(T* item) { zPlist::append(item); }
    bool remove(T* item) { return zPlist::remove(item); }
    bool contains(T* item) const { return zPlist::contains(item); }
};

template <class T>
class zPListIterOf : public zPListIter {
public:
    explicit zPListIterOf(zPlistOf<T>& list) : zPListIter(list) {}
    T* next() { return static_cast<T*>(zPListIter::next()); }
};
