// One DXF group as the database keeps it: a group code and a value of the type the code
// carries. DXF filers read and write lists of them; xrecords, extended data, carried groups
// of records the database does not model and the data of proxies are kept as such lists.
#pragma once
#include <string>
#include <vector>

#include "acdb.h"
#include "dbid.h"
#include "gepnt3d.h"

namespace arx::db {

struct DxfItem {
    enum class Kind : unsigned char {
        None,  // no value (a code of no defined type)
        Text,  // strings; also handles of objects themselves (5, 105), 320-329 and 1005
        Real,
        Point,    // one item for the three coordinates (10, 11 ... with their 20/30 in a file)
        Integer,  // 16-, 32-, 64-bit and flag (290-299) codes
        Binary,   // 310-319, 1004
        Id,       // references 330-369, 390-399, 480-481: an object id of the database
    };

    short code = 0;
    Kind kind = Kind::None;
    // A point written with two coordinates has no Z group in a file.
    unsigned char dimensions = 3;
    // Digits after the decimal point the writer asked for (-1: the file's default).
    signed char precision = -1;
    std::string text;
    double real = 0.0;
    AcGePoint3d point;
    long long integer = 0;
    std::vector<unsigned char> binary;
    AcDbObjectId id;

    static DxfItem makeText(int code, std::string value);
    static DxfItem makeReal(int code, double value, int precision = -1);
    static DxfItem makePoint(int code, const AcGePoint3d& value, int dimensions = 3, int precision = -1);
    static DxfItem makeInteger(int code, long long value);
    static DxfItem makeBinary(int code, std::vector<unsigned char> value);
    static DxfItem makeId(int code, AcDbObjectId value);

    // Back to a default item; text and binary keep their room (readers reuse items).
    void reset()
    {
        code = 0;
        kind = Kind::None;
        dimensions = 3;
        precision = -1;
        text.clear();
        real = 0.0;
        point = AcGePoint3d();
        integer = 0;
        binary.clear();
        id = AcDbObjectId();
    }

    bool operator==(const DxfItem& other) const;
};

using DxfItemList = std::vector<DxfItem>;

// The kind of value a group code carries; Kind::None for codes with no defined type.
DxfItem::Kind kindOfCode(int code);
// Bits an integer code holds: 16 (60-79, 170-179, 270-289, 370-409, 1060-1070), 32 (90-99,
// 420-429, 440-449, 1071), 64 (160-169) or 1 (flags 290-299).
int integerBitsOfCode(int code);
// True for the X code of a point (10-18, 110-112, 210, 1010-1013).
bool isPointCode(int code);
// True for extended data codes 1000-1071.
bool isXDataCode(int code);

}  // namespace arx::db
