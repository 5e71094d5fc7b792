// What a result buffer of a given type code holds: the ADS codes (RTREAL, RTSTR, ...) and the
// DXF group codes that entity and filter lists use (8 a layer name, 10 a point, 62 a colour).
// acutBuildList reads its arguments, acutRelRb frees strings and copies duplicate them by it.
#pragma once

namespace arx::ut {

enum class ResbufValueKind {
    None,     // no value: RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID, -3 (extended data)
    Real,     // rreal
    Point,    // rpoint (2D for RTPOINT, 3D otherwise)
    Short,    // rint
    Long,     // rlong
    String,   // rstring, owned by the buffer (malloc)
    Name,     // rlname: entity or selection-set name
    Binary,   // rbinary, buf owned by the buffer (malloc)
    Unknown,  // not a type code the stand-in knows
};

ResbufValueKind resbufValueKind(int type);

}  // namespace arx::ut
