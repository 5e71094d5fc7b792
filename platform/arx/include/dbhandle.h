// AcDbHandle: the 64-bit handle of a database object, written as hexadecimal text.
#pragma once
#include "adesk.h"

class ACAD_PORT AcDbHandle {
public:
    AcDbHandle() = default;
    AcDbHandle(int lo, int hi)
        : mValue((static_cast<Adesk::UInt64>(static_cast<Adesk::UInt32>(hi)) << 32) | static_cast<Adesk::UInt32>(lo))
    {}
    explicit AcDbHandle(Adesk::UInt64 value) : mValue(value) {}
    // Hexadecimal text, either case; text that is not a handle gives the null handle.
    AcDbHandle(const char* hexText);
    AcDbHandle& operator=(const char* hexText);

    // Parses hexadecimal text (at most 16 digits, either case); false when it is not one.
    static bool fromText(const char* hexText, AcDbHandle& result);

    bool isNull() const { return mValue == 0; }
    void setNull() { mValue = 0; }
    Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(mValue); }
    Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(mValue >> 32); }
    void setLow(Adesk::UInt32 low) { mValue = (mValue & 0xFFFFFFFF00000000ull) | low; }
    void setHigh(Adesk::UInt32 high) { mValue = (mValue & 0xFFFFFFFFull) | (static_cast<Adesk::UInt64>(high) << 32); }
    Adesk::UInt64 value() const { return mValue; }

    // Upper-case hexadecimal without leading zeros ("0" for the null handle), at most 16
    // digits and the terminator: a buffer of 17 bytes is enough.
    void getIntoAsciiBuffer(char* pBuf) const;

    void copyToOldType(unsigned char hand[8]) const;
    void copyFromOldType(const unsigned char hand[8]);

    AcDbHandle& operator++()
    {
        ++mValue;
        return *this;
    }
    AcDbHandle operator++(int)
    {
        AcDbHandle old = *this;
        ++mValue;
        return old;
    }
    void increment() { ++mValue; }
    void decrement() { --mValue; }
    AcDbHandle operator+(const AcDbHandle& other) const { return AcDbHandle(mValue + other.mValue); }
    AcDbHandle operator-(const AcDbHandle& other) const { return AcDbHandle(mValue - other.mValue); }

    bool operator==(const AcDbHandle& o) const { return mValue == o.mValue; }
    bool operator!=(const AcDbHandle& o) const { return mValue != o.mValue; }
    bool operator<(const AcDbHandle& o) const { return mValue < o.mValue; }
    bool operator>(const AcDbHandle& o) const { return mValue > o.mValue; }
    bool operator<=(const AcDbHandle& o) const { return mValue <= o.mValue; }
    bool operator>=(const AcDbHandle& o) const { return mValue >= o.mValue; }

private:
    Adesk::UInt64 mValue = 0;
};
