// The world-draw interface: what an entity's worldDraw receives. The host hands a drawable an
// AcGiWorldDraw; the drawable sets sub-entity traits (colour, layer, linetype, selection
// marker, fill) and emits primitives through geometry(). Coordinates are world coordinates,
// unless a model transform has been pushed.
#pragma once
#include "acadstrc.h"
#include "acdb.h"
#include "adesk.h"
#include "dbid.h"
#include "drawable.h"
#include "gemat3d.h"
#include "gepnt2d.h"
#include "gepnt3d.h"
#include "gevec3d.h"
#include "rxobject.h"

class AcDbDatabase;
class AcDbPolyline;
class AcGiEdgeData;
class AcGiFaceData;
class AcGiVertexData;
class AcGiTextStyle;
struct resbuf;

// Why the host is asking for the graphics.
typedef enum {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand,
    kAcGiRenderCommand,
    kAcGiForExplode,
    kAcGiSaveWorldDrawForProxy
} AcGiRegenType;

typedef enum { kAcGiFillAlways = 1, kAcGiFillNever } AcGiFillType;

typedef enum { kAcGiArcSimple = 0, kAcGiArcSector, kAcGiArcChord } AcGiArcType;

typedef enum {
    kAcGiMaxDevForCircle = 0,
    kAcGiMaxDevForCurve,
    kAcGiMaxDevForBoundary,
    kAcGiMaxDevForIsoline,
    kAcGiMaxDevForFacet
} AcGiDeviationType;

// The properties the following primitives are drawn with. They stay set until changed.
class ACAD_PORT AcGiSubEntityTraits : public AcRxObject {
public:
    // Colour index: 0 = BYBLOCK, 1..255 the host's colours, 256 = BYLAYER.
    virtual void setColor(const Adesk::UInt16 color) = 0;
    virtual void setLayer(const AcDbObjectId layerId) = 0;
    virtual void setLineType(const AcDbObjectId linetypeId) = 0;
    // The marker handed back when the user picks what follows (0 = none).
    virtual void setSelectionMarker(const Adesk::Int32 markerId) = 0;
    virtual void setFillType(const AcGiFillType fillType) = 0;
    virtual void setLineWeight(const AcDb::LineWeight lw) = 0;
    virtual void setLineTypeScale(double scale = 1.0) = 0;
    virtual void setThickness(double thickness) = 0;

    virtual Adesk::UInt16 color() const = 0;
    virtual AcDbObjectId layerId() const = 0;
    virtual AcDbObjectId lineTypeId() const = 0;
    virtual AcGiFillType fillType() const = 0;
    virtual AcDb::LineWeight lineWeight() const = 0;
    virtual double lineTypeScale() const = 0;
    virtual double thickness() const = 0;
};

// The traits a drawable's setAttributes starts from.
class ACAD_PORT AcGiDrawableTraits : public AcGiSubEntityTraits {};

// The primitives. Each returns true when the host asks the drawable to stop (regen abort).
class ACAD_PORT AcGiGeometry : public AcRxObject {
public:
    virtual Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal) const = 0;
    // The circle through three points.
    virtual Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const = 0;
    // An arc from startVector turning counterclockwise about normal by sweepAngle.
    virtual Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                                       const AcGeVector3d& startVector, const double sweepAngle,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    // The arc from start through point to end.
    virtual Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                                       const AcGiArcType arcType = kAcGiArcSimple) const = 0;
    // An open polyline through the points.
    virtual Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                                    const AcGeVector3d* pNormal = nullptr,
                                    Adesk::Int32 lBaseSubEntMarker = -1) const = 0;
    // A closed polygon, filled when the fill type is kAcGiFillAlways.
    virtual Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const = 0;
    // A rows x columns grid of vertices (row-major); each cell is a face.
    virtual Adesk::Boolean mesh(const Adesk::UInt32 rows, const Adesk::UInt32 columns, const AcGePoint3d* pVertexList,
                                const AcGiEdgeData* pEdgeData = nullptr, const AcGiFaceData* pFaceData = nullptr,
                                const AcGiVertexData* pVertexData = nullptr) const = 0;
    // Faces over a vertex list. pFaceList holds, per face, its vertex count n followed by n
    // vertex indices (a negative count marks a hole). faceListSize counts the integers.
    virtual Adesk::Boolean shell(const Adesk::UInt32 nbVertex, const AcGePoint3d* pVertexList,
                                 const Adesk::UInt32 faceListSize, const Adesk::Int32* pFaceList,
                                 const AcGiEdgeData* pEdgeData = nullptr, const AcGiFaceData* pFaceData = nullptr,
                                 const AcGiVertexData* pVertexData = nullptr,
                                 const struct resbuf* pResBuf = nullptr) const = 0;
    // Text in the host's default font: height, width factor (0 = 1) and oblique angle.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                                const double height, const double width, const double oblique,
                                const char* pMsg) const = 0;
    // Text in a style. length -1 means pMsg ends at its null; raw true draws %% codes as
    // they are.
    virtual Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                                const char* pMsg, const Adesk::Int32 length, const Adesk::Boolean raw,
                                const AcGiTextStyle& textStyle) const = 0;
    virtual Adesk::Boolean xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const = 0;
    virtual Adesk::Boolean ray(const AcGePoint3d& basePoint, const AcGePoint3d& throughPoint) const = 0;
    // numSegs segments of a lightweight polyline from vertex fromIndex (0 = all of it).
    virtual Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex = 0,
                                 Adesk::UInt32 numSegs = 0) const = 0;
    // Draws another drawable (for instance a block's entities) with the current transform.
    virtual Adesk::Boolean draw(AcGiDrawable* pDrawable) const = 0;

    // Model transforms applied to what follows, until popped. The normal form pushes the
    // transform from the plane with that normal (arbitrary-axis frame) to the world.
    virtual Adesk::Boolean pushModelTransform(const AcGeVector3d& normal) = 0;
    virtual Adesk::Boolean pushModelTransform(const AcGeMatrix3d& xMat) = 0;
    virtual Adesk::Boolean popModelTransform() = 0;
};

class ACAD_PORT AcGiWorldGeometry : public AcGiGeometry {
public:
    // The drawable's extents when the host cannot compute them (two points: min, max).
    virtual void setExtents(AcGePoint3d* pNewExtents) const = 0;
};

// Where the drawing goes.
class ACAD_PORT AcGiContext : public AcRxObject {
public:
    virtual Adesk::Boolean isPsOut() const = 0;
    virtual Adesk::Boolean isPlotGeneration() const = 0;
    virtual AcDbDatabase* database() const = 0;
    virtual bool isBoundaryClipping() const = 0;
};

class ACAD_PORT AcGiCommonDraw : public AcRxObject {
public:
    virtual AcGiRegenType regenType() const = 0;
    virtual Adesk::Boolean regenAbort() const = 0;
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    // Geometry without the model transforms pushed so far.
    virtual AcGiGeometry* rawGeometry() const = 0;
    // True while the host drags the drawable (a grip or move in progress).
    virtual Adesk::Boolean isDragging() const = 0;
    virtual AcGiContext* context() = 0;
    virtual double deviation(const AcGiDeviationType type, const AcGePoint3d& point) const = 0;
    virtual Adesk::UInt32 numberOfIsolines() const = 0;
};

class ACAD_PORT AcGiWorldDraw : public AcGiCommonDraw {
public:
    virtual AcGiWorldGeometry& geometry() const = 0;
};

// A text style for AcGiGeometry::text and for measuring text. The host's own fonts
// ("romans.shx", "simplex.shx", "txt.shx", "monotxt.shx") are always available; a font is
// named by its file name, with or without folder or ".shx".
class ACAD_PORT AcGiTextStyle {
public:
    AcGiTextStyle();
    AcGiTextStyle(const char* fontName, const char* bigFontName, const double textSize, const double xScale,
                  const double obliqueAngle, const double trPercent, const Adesk::Boolean isBackward,
                  const Adesk::Boolean isUpsideDown, const Adesk::Boolean isVertical, const Adesk::Boolean isOverlined,
                  const Adesk::Boolean isUnderlined, const char* pStyleName = nullptr);
    ~AcGiTextStyle();
    AcGiTextStyle(const AcGiTextStyle& other);
    AcGiTextStyle& operator=(const AcGiTextStyle& other);

    // Loads the font files: returns 1 (bit 0) when the font loaded and adds 2 (bit 1) when
    // the big font loaded; 0 when neither could be loaded.
    int loadStyleRec() const;

    void setTextSize(const double size);
    void setXScale(const double xScale);
    void setObliquingAngle(const double obliquingAngle);
    void setTrackingPercent(const double trPercent);
    void setBackward(const Adesk::Boolean isBackward);
    void setUpsideDown(const Adesk::Boolean isUpsideDown);
    void setVertical(const Adesk::Boolean isVertical);
    void setUnderlined(const Adesk::Boolean isUnderlined);
    void setOverlined(const Adesk::Boolean isOverlined);
    void setFileName(const char* fontName);
    void setBigFontFileName(const char* bigFontFileName);
    Acad::ErrorStatus setStyleName(const char* styleName);

    double textSize() const;
    double xScale() const;
    double obliquingAngle() const;
    double trackingPercent() const;
    Adesk::Boolean isBackward() const;
    Adesk::Boolean isUpsideDown() const;
    Adesk::Boolean isVertical() const;
    Adesk::Boolean isUnderlined() const;
    Adesk::Boolean isOverlined() const;
    const char* fileName() const;
    const char* bigFontFileName() const;
    const char* styleName() const;

    // The size of pStr drawn in this style: x = width, y = height, from the text's insertion
    // point. len -1 means pStr ends at its null; penups true counts leading and trailing
    // blanks; raw false reads the %% codes (%%d, %%p, %%c, %%%, %%o, %%u).
    AcGePoint2d extents(const char* pStr, const Adesk::Boolean penups, const int len, const Adesk::Boolean raw,
                        AcGiWorldDraw* ctxt = nullptr) const;

private:
    struct Data;
    Data* mpData;
};
