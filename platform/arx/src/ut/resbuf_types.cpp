#include "ut/resbuf_types.h"

#include "adscodes.h"

namespace arx::ut {

namespace {

bool in(int code, int low, int high) { return code >= low && code <= high; }

ResbufValueKind adsKind(int type)
{
    switch (type) {
    case RTREAL:
    case RTANG:
    case RTORINT: return ResbufValueKind::Real;
    case RTPOINT:
    case RT3DPOINT: return ResbufValueKind::Point;
    case RTSHORT: return ResbufValueKind::Short;
    case RTLONG: return ResbufValueKind::Long;
    case RTSTR:
    case RTDXF0: return ResbufValueKind::String;
    case RTENAME:
    case RTPICKS: return ResbufValueKind::Name;
    case RTNONE:
    case RTVOID:
    case RTLB:
    case RTLE:
    case RTDOTE:
    case RTNIL:
    case RTT: return ResbufValueKind::None;
    default: return ResbufValueKind::Unknown;
    }
}

// The DXF reference's value type of each group-code range, as result buffers hold them
// (the X of a point carries the whole point).
ResbufValueKind dxfKind(int code)
{
    if (code == -1 || code == -2 || code == -5) return ResbufValueKind::Name;
    if (code == -3) return ResbufValueKind::None;
    if (code == -4 || in(code, 0, 9) || code == 100 || code == 102 || code == 105 || in(code, 300, 309) ||
        in(code, 320, 329) || in(code, 410, 419) || in(code, 430, 439) || in(code, 470, 479) || code == 999 ||
        in(code, 1000, 1003) || in(code, 1005, 1009))
        return ResbufValueKind::String;
    if (in(code, 10, 39) || in(code, 110, 139) || in(code, 210, 219) || in(code, 1010, 1019))
        return ResbufValueKind::Point;
    if (in(code, 40, 59) || in(code, 140, 149) || in(code, 220, 239) || in(code, 460, 469) || in(code, 1020, 1059))
        return ResbufValueKind::Real;
    if (in(code, 60, 79) || in(code, 170, 179) || in(code, 270, 299) || in(code, 370, 389) || in(code, 400, 409) ||
        in(code, 1060, 1070))
        return ResbufValueKind::Short;
    if (in(code, 90, 99) || in(code, 420, 429) || in(code, 440, 459) || code == 1071) return ResbufValueKind::Long;
    if (in(code, 330, 369) || in(code, 390, 399) || in(code, 480, 481)) return ResbufValueKind::Name;
    if (in(code, 310, 319) || code == 1004) return ResbufValueKind::Binary;
    return ResbufValueKind::Unknown;
}

}  // namespace

ResbufValueKind resbufValueKind(int type)
{
    if (type >= RTNONE) return adsKind(type);
    return dxfKind(type);
}

}  // namespace arx::ut
