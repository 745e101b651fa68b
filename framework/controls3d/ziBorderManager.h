#pragma once
// Four margin sizers (top, bottom, left, right) docked inside a parent
// sizer, made on first use.

#include <cstdint>

class zSizer;
class zGravSizer;

class ziBorderManager {
public:
    explicit ziBorderManager(zSizer* parent) : parent_(parent) {}
    ~ziBorderManager();
    ziBorderManager(const ziBorderManager&) = delete;
    ziBorderManager& operator=(const ziBorderManager&) = delete;

    void setTop(int32_t size) { set(top_, 2, size); }
    void setBottom(int32_t size) { set(bottom_, 3, size); }
    void setLeft(int32_t size) { set(left_, 0, size); }
    void setRight(int32_t size) { set(right_, 1, size); }

private:
    void set(zGravSizer*& margin, int32_t kind, int32_t size);

    zGravSizer* top_ = nullptr;
    zGravSizer* bottom_ = nullptr;
    zGravSizer* left_ = nullptr;
    zGravSizer* right_ = nullptr;
    zSizer* parent_;
};
