// AcArray: the growable array template of the ObjectARX API (a contiguous buffer with a
// logical length, a physical length and a grow step).
#pragma once
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

template <class T>
class AcArray {
public:
    explicit AcArray(int physicalLength = 0, int growLength = 8) : mGrowLength(growLength > 0 ? growLength : 8)
    {
        if (physicalLength > 0) mData.reserve(static_cast<std::size_t>(physicalLength));
    }
    AcArray(const AcArray&) = default;
    AcArray(AcArray&&) noexcept = default;
    AcArray& operator=(const AcArray&) = default;
    AcArray& operator=(AcArray&&) noexcept = default;
    ~AcArray() = default;

    bool operator==(const AcArray& other) const { return mData == other.mData; }

    T& operator[](int i) { return mData[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return mData[static_cast<std::size_t>(i)]; }
    T& at(int i) { return mData.at(static_cast<std::size_t>(i)); }
    const T& at(int i) const { return mData.at(static_cast<std::size_t>(i)); }
    AcArray& setAt(int i, const T& value)
    {
        mData.at(static_cast<std::size_t>(i)) = value;
        return *this;
    }
    T& first() { return mData.front(); }
    const T& first() const { return mData.front(); }
    T& last() { return mData.back(); }
    const T& last() const { return mData.back(); }

    int append(const T& value)
    {
        mData.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other)
    {
        mData.insert(mData.end(), other.mData.begin(), other.mData.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value)
    {
        mData.insert(mData.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index)
    {
        mData.erase(mData.begin() + index);
        return *this;
    }
    bool remove(const T& value, int start = 0)
    {
        int i = 0;
        if (!find(value, i, start)) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast()
    {
        mData.pop_back();
        return *this;
    }
    AcArray& removeSubArray(int startIndex, int endIndex)
    {
        mData.erase(mData.begin() + startIndex, mData.begin() + endIndex + 1);
        return *this;
    }
    bool contains(const T& value, int start = 0) const
    {
        int i = 0;
        return find(value, i, start);
    }
    bool find(const T& value, int& foundAt, int start = 0) const
    {
        for (int i = start; i < length(); ++i)
            if (mData[static_cast<std::size_t>(i)] == value) {
                foundAt = i;
                return true;
            }
        return false;
    }
    int find(const T& value) const
    {
        int i = -1;
        return find(value, i) ? i : -1;
    }
    int findFrom(const T& value, int start) const
    {
        int i = -1;
        return find(value, i, start) ? i : -1;
    }

    int length() const { return static_cast<int>(mData.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return mData.empty(); }
    AcArray& setLogicalLength(int n)
    {
        mData.resize(static_cast<std::size_t>(n));
        return *this;
    }
    int physicalLength() const { return static_cast<int>(mData.capacity()); }
    AcArray& setPhysicalLength(int n)
    {
        if (n < length()) mData.resize(static_cast<std::size_t>(n));
        mData.shrink_to_fit();
        mData.reserve(static_cast<std::size_t>(n));
        return *this;
    }
    int growLength() const { return mGrowLength; }
    AcArray& setGrowLength(int n)
    {
        if (n > 0) mGrowLength = n;
        return *this;
    }
    AcArray& reverse()
    {
        std::reverse(mData.begin(), mData.end());
        return *this;
    }
    AcArray& swap(int i1, int i2)
    {
        std::swap(mData[static_cast<std::size_t>(i1)], mData[static_cast<std::size_t>(i2)]);
        return *this;
    }

    T* asArrayPtr() { return mData.data(); }
    const T* asArrayPtr() const { return mData.data(); }

    // Range-for support.
    T* begin() { return mData.data(); }
    T* end() { return mData.data() + mData.size(); }
    const T* begin() const { return mData.data(); }
    const T* end() const { return mData.data() + mData.size(); }

private:
    // The grow length is kept for the API; storage grows geometrically so appends stay O(1).
    std::vector<T> mData;
    int mGrowLength;
};
