// What the recording world draw keeps of each primitive a drawable emits: its kind, its
// points in world coordinates (curves as chords, gi/tessellation.h), the traits it was drawn
// with, and the colour and layer it shows in once BYBLOCK, BYLAYER and layer "0" inside
// blocks are resolved.
#pragma once
#include <string>
#include <vector>

#include "acdb.h"
#include "acgi.h"
#include "dbid.h"
#include "gepnt3d.h"
#include "gevec3d.h"

namespace arx::gi {

struct RecordedTraits {
    Adesk::UInt16 color = 256;  // as set: 0 BYBLOCK, 256 BYLAYER
    AcDbObjectId layer;
    AcDbObjectId linetype;
    Adesk::Int32 selectionMarker = 0;
    AcGiFillType fillType = kAcGiFillNever;
    AcDb::LineWeight lineWeight = AcDb::kLnWtByLayer;
    double linetypeScale = 1.0;
    double thickness = 0.0;
};

enum class PrimitiveKind {
    Polyline,  // polyline, pline and the outline of the built-in curves
    Polygon,
    Circle,
    Arc,
    Face,  // a face of a shell or mesh
    Text,
    Xline,  // points: base point and a second point, unbounded both ways
    Ray,    // points: base point and a second point, unbounded past the second
};

struct RecordedText {
    std::string text;        // the bytes given
    std::u32string glyphs;   // what shows (gi/text_codes.h)
    AcGeVector3d normal;     // unit
    AcGeVector3d direction;  // unit, along the baseline
    double height = 0.0;
    double widthFactor = 1.0;
    double obliqueAngle = 0.0;
    std::string fontName;
    double width = 0.0;  // along the baseline, as the style measures it
};

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Polyline;
    RecordedTraits traits;
    Adesk::UInt16 colorIndex = 7;               // shown colour, 1..255
    AcDbObjectId layer;                         // shown layer (layer "0" in a block takes the block's)
    std::vector<AcDbObjectId> enclosingLayers;  // layers of the block references it is drawn in
    AcDbObjectId entity;                        // the outermost entity being drawn
    std::vector<AcGePoint3d> points;            // world coordinates; the position for text
    bool closed = false;                        // the last point joins the first
    bool hole = false;                          // a hole of a shell face
    // Circles and arcs.
    AcGePoint3d center;
    double radius = 0.0;
    AcGeVector3d normal;
    AcGeVector3d startVector;
    double sweep = 0.0;
    RecordedText text;
};

}  // namespace arx::gi
