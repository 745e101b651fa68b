#pragma once
// A growable array indexed directly by a 1-based number (entry 0 unused):
// an access beyond the end grows it to max(count + step, index + 1)
// entries, new entries taking the default value. A read grows it as a
// write does; when memory runs out the array stays as it was, a read
// yields the default and a write is dropped.
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

template <class T>
class ziDynaArray {
public:
    ziDynaArray(uint32_t step, T fallback) : step_(step), default_(fallback) {}

    uint32_t count() const { return static_cast<uint32_t>(data_.size()); }
    uint32_t step() const { return step_; }

    T get(uint32_t index)
    {
        return grow(index) ? data_[index] : default_;
    }
    void set(uint32_t index, T value)
    {
        if (grow(index))
            data_[index] = value;
    }
    // The entry when it exists, without growing.
    T peek(uint32_t index) const { return index < data_.size() ? data_[index] : default_; }
    T* data() { return data_.data(); }

private:
    bool grow(uint32_t index)
    {
        const uint64_t need = uint64_t(index) + 1;
        if (need <= data_.size())
            return true;
        uint64_t next = uint64_t(data_.size()) + step_;
        if (next < need)
            next = need;
        try {
            data_.resize(static_cast<size_t>(next), default_);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    uint32_t step_;
    T default_;
    std::vector<T> data_;
};
