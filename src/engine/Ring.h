#pragma once

#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace kesto
{

// The most recent items pushed, oldest first, never more than a fixed number: pushing onto a full ring drops the
// oldest. Memory stays bounded however long the run.
template <typename T> class Ring
{
public:
    class ConstIterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        ConstIterator() = default;
        ConstIterator(const Ring* owner, std::size_t at) : ring(owner), index(at) {}

        const T& operator*() const { return (*ring)[index]; }
        const T* operator->() const { return &(*ring)[index]; }
        ConstIterator& operator++()
        {
            ++index;
            return *this;
        }
        ConstIterator operator++(int)
        {
            ConstIterator before = *this;
            ++index;
            return before;
        }
        bool operator==(const ConstIterator& other) const = default;

    private:
        const Ring* ring = nullptr;
        std::size_t index = 0;
    };

    // capacity must be at least 1.
    explicit Ring(std::size_t capacity) : limit(capacity < 1 ? 1 : capacity) {}

    void Push(T item)
    {
        if (items.size() < limit)
        {
            items.push_back(std::move(item));
            return;
        }
        items[oldest] = std::move(item);
        oldest = (oldest + 1) % limit;
    }

    void Clear()
    {
        items.clear();
        oldest = 0;
    }

    std::size_t Size() const { return items.size(); }
    std::size_t Capacity() const { return limit; }
    bool IsEmpty() const { return items.empty(); }

    // 0 is the oldest item kept.
    const T& operator[](std::size_t index) const { return items[(oldest + index) % items.size()]; }
    // The newest item; the ring must not be empty.
    const T& Back() const { return (*this)[items.size() - 1]; }

    ConstIterator begin() const { return {this, 0}; }
    ConstIterator end() const { return {this, items.size()}; }

private:
    std::size_t limit;
    std::size_t oldest = 0; // where the oldest item sits once the ring is full
    std::vector<T> items;
};

} // namespace kesto
