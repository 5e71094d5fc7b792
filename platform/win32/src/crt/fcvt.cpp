// _fcvt: fixed-point digits of a number. Rounding is the C library's correct rounding of the
// binary value to count decimals.
#include <win32crt.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {
thread_local std::string digitBuffer;
}

// count below 0 is taken as 0 and above _CVTBUFSIZE as _CVTBUFSIZE. A result without any
// significant digit (0.0, or 0.004 to 2 decimals) is count zeros with the point before them.
extern "C" char* _fcvt(double value, int count, int* dec, int* sign)
{
    if (count < 0) count = 0;
    if (count > _CVTBUFSIZE) count = _CVTBUFSIZE;
    if (sign != nullptr) *sign = value < 0 ? 1 : 0;
    int point = 0;
    digitBuffer.clear();
    if (std::isfinite(value)) {
        // The largest double has 309 integer digits; the point and count decimals follow.
        char formatted[320 + _CVTBUFSIZE];
        std::snprintf(formatted, sizeof formatted, "%.*f", count, std::fabs(value));
        const std::string text = formatted;
        const size_t dot = text.find('.');
        const std::string integerPart = text.substr(0, dot);
        const std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
        if (integerPart != "0") {
            digitBuffer = integerPart + fraction;
            point = static_cast<int>(integerPart.size());
        } else {
            const size_t firstSignificant = fraction.find_first_not_of('0');
            if (firstSignificant == std::string::npos) {
                digitBuffer = fraction;
            } else {
                digitBuffer = fraction.substr(firstSignificant);
                point = -static_cast<int>(firstSignificant);
            }
        }
    }
    if (dec != nullptr) *dec = point;
    return digitBuffer.data();
}
