// The value type of a DXF group, decided by its group code as the DXF reference lays out the
// code ranges.
#pragma once

namespace arx::dxf {

enum class GroupType {
    Invalid,   // no value type is defined for this code
    String,    // text, kept byte for byte
    Handle,    // hexadecimal handle of the object itself (5, 105) or a plain handle reference
    ObjectId,  // hexadecimal handle of a referenced object (soft/hard pointer or owner)
    Binary,    // hexadecimal text of a binary chunk
    Real,      // double
    Int16,
    Int32,
    Int64,
    Bool,  // written as a 16-bit integer, 0 or 1
};

GroupType groupTypeOf(int code);

inline bool isNumericType(GroupType type)
{
    return type == GroupType::Real || type == GroupType::Int16 || type == GroupType::Int32 ||
           type == GroupType::Int64 || type == GroupType::Bool;
}

inline bool isIntegerType(GroupType type)
{
    return type == GroupType::Int16 || type == GroupType::Int32 || type == GroupType::Int64 || type == GroupType::Bool;
}

inline bool isTextType(GroupType type)
{
    return type == GroupType::String || type == GroupType::Handle || type == GroupType::ObjectId ||
           type == GroupType::Binary;
}

// True for the X coordinate code of a point (10-18, 110-112, 210, 1010-1013); the Y and Z
// codes follow at +10 and +20.
bool isPointXCode(int code);

}  // namespace arx::dxf
