// AcDbHandle: hexadecimal text in and out.
#include "dbhandle.h"

#include <cstdio>

bool AcDbHandle::fromText(const char* hexText, AcDbHandle& result)
{
    if (hexText == nullptr || *hexText == '\0') return false;
    Adesk::UInt64 value = 0;
    int digits = 0;
    for (const char* p = hexText; *p != '\0'; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9') digit = *p - '0';
        else if (*p >= 'a' && *p <= 'f') digit = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F') digit = *p - 'A' + 10;
        else return false;
        // Leading zeros do not count against the 16 digits.
        if (value != 0 || digit != 0) ++digits;
        if (digits > 16) return false;
        value = (value << 4) | static_cast<Adesk::UInt64>(digit);
    }
    result = AcDbHandle(value);
    return true;
}

AcDbHandle::AcDbHandle(const char* hexText)
{
    AcDbHandle parsed;
    if (fromText(hexText, parsed)) mValue = parsed.mValue;
}

AcDbHandle& AcDbHandle::operator=(const char* hexText)
{
    AcDbHandle parsed;
    mValue = fromText(hexText, parsed) ? parsed.mValue : 0;
    return *this;
}

void AcDbHandle::getIntoAsciiBuffer(char* pBuf) const
{
    if (pBuf == nullptr) return;
    std::snprintf(pBuf, 17, "%llX", static_cast<unsigned long long>(mValue));
}

void AcDbHandle::copyToOldType(unsigned char hand[8]) const
{
    // The old type is big-endian: most significant byte first.
    for (int i = 0; i < 8; ++i) hand[i] = static_cast<unsigned char>(mValue >> (8 * (7 - i)));
}

void AcDbHandle::copyFromOldType(const unsigned char hand[8])
{
    mValue = 0;
    for (int i = 0; i < 8; ++i) mValue = (mValue << 8) | hand[i];
}
