// The pieces the recording world draw hands out: its traits, its geometry and its context.
#pragma once
#include "acgi.h"
#include "gi/primitive.h"

namespace arx::gi {

class RecordingWorldDraw;

class RecordingTraits : public AcGiDrawableTraits {
public:
    RecordedTraits value;

    void setColor(const Adesk::UInt16 color) override { value.color = color; }
    void setLayer(const AcDbObjectId layerId) override { value.layer = layerId; }
    void setLineType(const AcDbObjectId linetypeId) override { value.linetype = linetypeId; }
    void setSelectionMarker(const Adesk::Int32 markerId) override { value.selectionMarker = markerId; }
    void setFillType(const AcGiFillType fillType) override { value.fillType = fillType; }
    void setLineWeight(const AcDb::LineWeight lw) override { value.lineWeight = lw; }
    void setLineTypeScale(double scale = 1.0) override { value.linetypeScale = scale; }
    void setThickness(double thickness) override { value.thickness = thickness; }

    Adesk::UInt16 color() const override { return value.color; }
    AcDbObjectId layerId() const override { return value.layer; }
    AcDbObjectId lineTypeId() const override { return value.linetype; }
    AcGiFillType fillType() const override { return value.fillType; }
    AcDb::LineWeight lineWeight() const override { return value.lineWeight; }
    double lineTypeScale() const override { return value.linetypeScale; }
    double thickness() const override { return value.thickness; }
};

class RecordingContext : public AcGiContext {
public:
    AcDbDatabase* db = nullptr;
    bool plotting = false;

    Adesk::Boolean isPsOut() const override { return false; }
    Adesk::Boolean isPlotGeneration() const override { return plotting; }
    AcDbDatabase* database() const override { return db; }
    bool isBoundaryClipping() const override { return false; }
};

class RecordingGeometry : public AcGiWorldGeometry {
public:
    explicit RecordingGeometry(RecordingWorldDraw& owner) : mOwner(owner) {}

    Adesk::Boolean circle(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal) const override;
    Adesk::Boolean circle(const AcGePoint3d& p1, const AcGePoint3d& p2, const AcGePoint3d& p3) const override;
    Adesk::Boolean circularArc(const AcGePoint3d& center, const double radius, const AcGeVector3d& normal,
                               const AcGeVector3d& startVector, const double sweepAngle,
                               const AcGiArcType arcType = kAcGiArcSimple) const override;
    Adesk::Boolean circularArc(const AcGePoint3d& start, const AcGePoint3d& point, const AcGePoint3d& end,
                               const AcGiArcType arcType = kAcGiArcSimple) const override;
    Adesk::Boolean polyline(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList,
                            const AcGeVector3d* pNormal = nullptr, Adesk::Int32 lBaseSubEntMarker = -1) const override;
    Adesk::Boolean polygon(const Adesk::UInt32 nbPoints, const AcGePoint3d* pVertexList) const override;
    Adesk::Boolean mesh(const Adesk::UInt32 rows, const Adesk::UInt32 columns, const AcGePoint3d* pVertexList,
                        const AcGiEdgeData* pEdgeData = nullptr, const AcGiFaceData* pFaceData = nullptr,
                        const AcGiVertexData* pVertexData = nullptr) const override;
    Adesk::Boolean shell(const Adesk::UInt32 nbVertex, const AcGePoint3d* pVertexList, const Adesk::UInt32 faceListSize,
                         const Adesk::Int32* pFaceList, const AcGiEdgeData* pEdgeData = nullptr,
                         const AcGiFaceData* pFaceData = nullptr, const AcGiVertexData* pVertexData = nullptr,
                         const struct resbuf* pResBuf = nullptr) const override;
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const double height, const double width, const double oblique, const char* pMsg) const override;
    Adesk::Boolean text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                        const char* pMsg, const Adesk::Int32 length, const Adesk::Boolean raw,
                        const AcGiTextStyle& textStyle) const override;
    Adesk::Boolean xline(const AcGePoint3d& p1, const AcGePoint3d& p2) const override;
    Adesk::Boolean ray(const AcGePoint3d& basePoint, const AcGePoint3d& throughPoint) const override;
    Adesk::Boolean pline(const AcDbPolyline& lwBuf, Adesk::UInt32 fromIndex = 0,
                         Adesk::UInt32 numSegs = 0) const override;
    Adesk::Boolean draw(AcGiDrawable* pDrawable) const override;
    Adesk::Boolean pushModelTransform(const AcGeVector3d& normal) override;
    Adesk::Boolean pushModelTransform(const AcGeMatrix3d& xMat) override;
    Adesk::Boolean popModelTransform() override;
    void setExtents(AcGePoint3d* /*pNewExtents*/) const override {}

private:
    // Keeps points (in model coordinates) as one primitive of that kind.
    void keep(PrimitiveKind kind, std::vector<AcGePoint3d> points, bool closed, bool hole = false) const;
    void keepArc(PrimitiveKind kind, const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
                 const AcGeVector3d& startVector, double sweep, AcGiArcType arcType) const;
    void keepText(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
                  RecordedText text) const;

    RecordingWorldDraw& mOwner;
};

}  // namespace arx::gi
