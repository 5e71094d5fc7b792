// The host's basic entities: line, circle, arc, block reference, floating viewport, the old-
// style 2D and 3D polylines with their vertices and the sequence end that closes them.
// Angles are radians in the API and degrees in DXF files, as in the host. Points of 2D
// entities (circle, arc, 2D polyline) are kept in world coordinates through the API; the
// files hold object coordinates (the entity's plane given by its normal, group 210), as the
// host writes them.
#pragma once
#include <memory>
#include <string>

#include "dbcurve.h"
#include "dbidar.h"
#include "gepnt2d.h"
#include "gescl3d.h"

class AcDbSequenceEnd;
class AcDbObjectIterator;

// A straight segment.
class ACAD_PORT AcDbLine : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbLine);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    ~AcDbLine() override;

    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Adesk::Boolean isPlanar() const override { return true; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& type) const override;

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    arx::db::UnmodelledGroups mUnmodelled;
    AcGePoint3d mStart;
    AcGePoint3d mEnd;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
};

// A full circle in the plane of its normal.
class ACAD_PORT AcDbCircle : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbCircle);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDbCircle();
    AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);
    ~AcDbCircle() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    // eInvalidInput for a radius that is not positive.
    Acad::ErrorStatus setRadius(double radius);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    Adesk::Boolean isPlanar() const override { return true; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& type) const override;
    Adesk::Boolean isClosed() const override { return true; }
    Adesk::Boolean isPeriodic() const override { return true; }
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    // A non-uniform scale gives eNotApplicable (a circle stays a circle).
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // The centre, then the quadrant points at 0, 90, 180 and 270 degrees: moving the centre
    // moves the circle, moving a quadrant point changes the radius.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    void setCircleFields(const arx::db::CircleFields& fields);
    arx::db::UnmodelledGroups mUnmodelled;
    AcGePoint3d mCenter;
    double mRadius = 0.0;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
};

// A circular arc, counterclockwise about its normal from the start angle to the end angle.
// The angles are measured in the entity's plane from its object X axis.
class ACAD_PORT AcDbArc : public AcDbCurve {
public:
    ACRX_DECLARE_MEMBERS(AcDbArc);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDbArc();
    AcDbArc(const AcGePoint3d& center, double radius, double startAngle, double endAngle);
    AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle, double endAngle);
    ~AcDbArc() override;

    AcGePoint3d center() const;
    Acad::ErrorStatus setCenter(const AcGePoint3d& center);
    double radius() const;
    Acad::ErrorStatus setRadius(double radius);
    double startAngle() const;
    Acad::ErrorStatus setStartAngle(double angle);
    double endAngle() const;
    Acad::ErrorStatus setEndAngle(double angle);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    // The included angle, in (0, 2*pi].
    double totalAngle() const;

    Adesk::Boolean isPlanar() const override { return true; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& type) const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getParamAtPoint(const AcGePoint3d& point, double& param) const override;
    Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
    Acad::ErrorStatus getClosestPointTo(const AcGePoint3d& givenPoint, AcGePoint3d& pointOnCurve,
                                        Adesk::Boolean extend = false) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Start point, mid point, end point, centre.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    void setCircleFields(const arx::db::CircleFields& fields);
    arx::db::UnmodelledGroups mUnmodelled;
    AcGePoint3d mCenter;
    double mRadius = 0.0;
    double mStartAngle = 0.0;
    double mEndAngle = 0.0;
    double mThickness = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
};

// The end marker of a polyline's vertices or a block reference's attributes; it has no
// geometry and is owned by that entity.
class ACAD_PORT AcDbSequenceEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbSequenceEnd);
    AcDbSequenceEnd();
    ~AcDbSequenceEnd() override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
};

// An instance of a block: the block's entities placed at a position with scale, rotation
// and normal. Attributes, when the block reference has any, are owned entities that follow
// it in the file up to its sequence end.
class ACAD_PORT AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    ~AcDbBlockReference() override;

    AcDbObjectId blockTableRecord() const;
    virtual Acad::ErrorStatus setBlockTableRecord(AcDbObjectId blockId);
    AcGePoint3d position() const;
    virtual Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const;
    // eInvalidInput when a factor is zero.
    virtual Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const;
    virtual Acad::ErrorStatus setRotation(double angle);
    AcGeVector3d normal() const;
    virtual Acad::ErrorStatus setNormal(const AcGeVector3d& normal);

    // Position, scale, rotation and normal as one matrix (block coordinates, relative to the
    // block's base point, to world coordinates).
    AcGeMatrix3d blockTransform() const;
    virtual Acad::ErrorStatus setBlockTransform(const AcGeMatrix3d& xform);

    // Attributes (owned entities); the ids in file order.
    Acad::ErrorStatus appendAttribute(AcDbEntity* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& attributeId, AcDbEntity* attribute);
    AcDbObjectIdArray attributeIds() const;
    AcDbObjectId sequenceEndId() const;

    // The extents of the block's entities, transformed.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark, const AcGePoint3d& pickPoint,
                                     const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform,
                                     AcGePoint3dArray& snapPoints, AcDbIntArray& geomIds) const override;
    // Copies of the block's entities, transformed (not in any database; the caller owns them).
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                    int thisGsMarker = 0, int otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                    AcGePoint3dArray& points, int thisGsMarker = 0,
                                    int otherGsMarker = 0) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    // Internal: the file reader hands over the owned entities that followed the reference.
    void adoptSubentity(AcDbObjectId id, bool isSequenceEnd);

private:
    arx::db::UnmodelledGroups mUnmodelled;
    // The block, and its name while a file being read has not linked its blocks yet.
    AcDbObjectId resolvedBlock() const;
    mutable AcDbHardPointerId mBlock;
    mutable std::string mBlockName;
    AcGePoint3d mPosition;
    AcGeScale3d mScale;
    double mRotation = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbObjectIdArray mAttributes;
    AcDbObjectId mSequenceEnd;
};

// A floating viewport (or a layout's own paper-space viewport): a window on the sheet,
// centred at centerPoint and width x height paper units, that shows model space through its
// view.
class ACAD_PORT AcDbViewport : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewport);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDbViewport();
    ~AcDbViewport() override;

    // Paper space frame.
    AcGePoint3d centerPoint() const;
    Acad::ErrorStatus setCenterPoint(const AcGePoint3d& point);
    double width() const;
    Acad::ErrorStatus setWidth(double width);
    double height() const;
    Acad::ErrorStatus setHeight(double height);

    // The view: the model target, the direction from the target towards the eye, the view
    // centre in display coordinates, the height of model space shown, the twist.
    AcGePoint2d viewCenter() const;
    Acad::ErrorStatus setViewCenter(const AcGePoint2d& point);
    double viewHeight() const;
    Acad::ErrorStatus setViewHeight(double height);
    AcGeVector3d viewDirection() const;
    Acad::ErrorStatus setViewDirection(const AcGeVector3d& direction);
    AcGePoint3d viewTarget() const;
    Acad::ErrorStatus setViewTarget(const AcGePoint3d& target);
    double twistAngle() const;
    Acad::ErrorStatus setTwistAngle(double angle);
    // Millimetres; eInvalidInput when not positive.
    double lensLength() const;
    Acad::ErrorStatus setLensLength(double length);

    // Clipping planes (distances from the target along the view direction).
    double frontClipDistance() const;
    Acad::ErrorStatus setFrontClipDistance(double distance);
    double backClipDistance() const;
    Acad::ErrorStatus setBackClipDistance(double distance);
    bool isFrontClipOn() const;
    Acad::ErrorStatus setFrontClipOn();
    Acad::ErrorStatus setFrontClipOff();
    bool isBackClipOn() const;
    Acad::ErrorStatus setBackClipOn();
    Acad::ErrorStatus setBackClipOff();
    bool isFrontClipAtEyeOn() const;
    Acad::ErrorStatus setFrontClipAtEyeOn();
    Acad::ErrorStatus setFrontClipAtEyeOff();
    bool isPerspectiveOn() const;
    Acad::ErrorStatus setPerspectiveOn();
    Acad::ErrorStatus setPerspectiveOff();
    bool isUcsFollowModeOn() const;
    Acad::ErrorStatus setUcsFollowModeOn();
    Acad::ErrorStatus setUcsFollowModeOff();
    // The VIEWMODE bits of this viewport: 1 perspective, 2 front clip, 4 back clip, 8 UCS
    // follow, 16 front clip not at the eye.
    Adesk::Int16 viewMode() const;

    // The CVPORT number the host gave the viewport while it is displayed; -1 otherwise.
    // Not saved.
    int number() const;

    bool isOn() const;
    Acad::ErrorStatus setOn();
    Acad::ErrorStatus setOff();
    // Display locking: a locked viewport's view does not change with zooming and panning.
    bool isLocked() const;
    Acad::ErrorStatus setLocked();
    Acad::ErrorStatus setUnlocked();

    // Non-rectangular clipping by a boundary entity in the same block.
    bool isNonRectClipOn() const;
    Acad::ErrorStatus setNonRectClipOn();
    Acad::ErrorStatus setNonRectClipOff();
    AcDbObjectId nonRectClipEntityId() const;
    Acad::ErrorStatus setNonRectClipEntityId(AcDbObjectId clipEntityId);

    // Asks the host to redraw the viewport with its current view (nothing to do headless
    // beyond recording the change).
    Acad::ErrorStatus updateDisplay() const;

    // Layers frozen in this viewport.
    Acad::ErrorStatus freezeLayersInViewport(const AcDbObjectIdArray& layerIds);
    Acad::ErrorStatus thawLayersInViewport(const AcDbObjectIdArray& layerIds);
    bool isLayerFrozenInViewport(AcDbObjectId layerId) const;
    AcDbObjectIdArray frozenLayers() const;

    // The DXF viewport id (group 69) and status (group 68) as read or set by the host.
    Adesk::Int16 viewportId() const;
    Adesk::Int16 status() const;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    // Moves, scales and rotates the frame on the sheet. The view scale (view height over
    // height) is kept; a rotation of the frame turns the view's twist with it; a mirror or a
    // non-uniform scale gives eNotApplicable.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // The four corners (bottom-left, bottom-right, top-right, top-left) then the centre.
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark, const AcGePoint3d& pickPoint,
                                     const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform,
                                     AcGePoint3dArray& snapPoints, AcDbIntArray& geomIds) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // Internal, for the host: the CVPORT number while displayed (-1 when not), and the DXF id.
    void setNumber(int number);
    void setViewportId(Adesk::Int16 id);
    // Internal, for the host: rewrites the viewport's legacy view record (the "ACAD" extended
    // data headed "MVIEW") from its current view; the host calls it whenever it makes a
    // floating viewport or changes its view. Nothing for the layout's own paper-space
    // viewport or a viewport outside a database.
    Acad::ErrorStatus writeLegacyViewRecord();

    // The flag bits of DXF group 90.
    enum StatusFlags : Adesk::Int32 {
        kPerspective = 0x1,
        kFrontClip = 0x2,
        kBackClip = 0x4,
        kUcsFollow = 0x8,
        kFrontClipNotAtEye = 0x10,
        kUcsIconVisible = 0x20,
        kUcsIconAtOrigin = 0x40,
        kFastZoom = 0x80,
        kSnap = 0x100,
        kGrid = 0x200,
        kIsometricSnap = 0x400,
        kHideInPlot = 0x800,
        kKIsoPairTop = 0x1000,
        kKIsoPairRight = 0x2000,
        kZoomLocked = 0x4000,
        kNonRectangularClip = 0x10000,
        kViewportOff = 0x20000,
    };

private:
    arx::db::UnmodelledGroups mUnmodelled;
    void setFlag(Adesk::Int32 bit, bool on);
    AcGePoint3d mCenter;
    double mWidth = 0.0;
    double mHeight = 0.0;
    Adesk::Int16 mStatus = 0;
    Adesk::Int16 mId = 0;
    int mNumber = -1;
    AcGePoint2d mViewCenter;
    AcGePoint2d mSnapBase;
    AcGeVector2d mSnapSpacing;
    AcGeVector2d mGridSpacing;
    AcGeVector3d mViewDirection = AcGeVector3d::kZAxis;
    AcGePoint3d mViewTarget;
    double mLensLength = 50.0;
    double mFrontClip = 0.0;
    double mBackClip = 0.0;
    double mViewHeight = 0.0;
    double mSnapAngle = 0.0;
    double mTwist = 0.0;
    Adesk::Int16 mCircleSides = 100;
    AcDbObjectIdArray mFrozenLayers;
    Adesk::Int32 mFlags = 0;
    AcDbObjectId mClipEntity;
    std::string mPlotStyleSheet;
    Adesk::Int8 mRenderMode = 0;
    Adesk::Int8 mUcsPerViewport = 0;
    Adesk::Int16 mUcsIcon = 0;
    AcGePoint3d mUcsOrigin;
    AcGeVector3d mUcsXAxis = AcGeVector3d::kXAxis;
    AcGeVector3d mUcsYAxis = AcGeVector3d::kYAxis;
    AcDbObjectId mNamedUcs;
    AcDbObjectId mBaseUcs;
    Adesk::Int16 mOrthoType = 0;
    double mElevation = 0.0;
};

// The kinds of the old-style polylines and their vertices. The host keeps these in the AcDb
// scope (AcDb::k2dSimplePoly...); here they are the polyline classes' own.
struct AcDbPolylineKinds {
    enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
    enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
    enum Poly3dType { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
    enum Vertex3dType { k3dSimpleVertex = 0, k3dControlVertex = 1, k3dFitVertex = 2 };
};

// A vertex of a 2D polyline: position (world coordinates through the API), widths, bulge
// (tangent of a quarter of the included angle of the arc to the next vertex).
class ACAD_PORT AcDb2dVertex : public AcDbEntity, public AcDbPolylineKinds {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dVertex);
    AcDb2dVertex();
    AcDb2dVertex(const AcGePoint3d& position, double bulge = 0, double startWidth = 0, double endWidth = 0);
    ~AcDb2dVertex() override;

    Vertex2dType vertexType() const;
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    double startWidth() const;
    Acad::ErrorStatus setStartWidth(double width);
    double endWidth() const;
    Acad::ErrorStatus setEndWidth(double width);
    double bulge() const;
    Acad::ErrorStatus setBulge(double bulge);
    double tangent() const;
    Acad::ErrorStatus setTangent(double tangent);
    bool isTangentUsed() const;

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // Internal: the owning polyline's plane, for converting to and from the object
    // coordinates the file holds. keepLocalCoordinates re-expresses the position so that
    // its coordinates in the plane stay (the file reader); otherwise only the plane is noted.
    void setPlaneOfOwner(const AcGeVector3d& normal, double elevation, bool keepLocalCoordinates = true);

private:
    arx::db::UnmodelledGroups mUnmodelled;
    AcGePoint3d mPosition;  // world coordinates
    double mStartWidth = 0.0;
    double mEndWidth = 0.0;
    double mBulge = 0.0;
    double mTangent = 0.0;
    Adesk::Int16 mFlags = 0;
    AcGeVector3d mOwnerNormal = AcGeVector3d::kZAxis;
    double mOwnerElevation = 0.0;
};

// A vertex of a 3D polyline.
class ACAD_PORT AcDb3dPolylineVertex : public AcDbEntity, public AcDbPolylineKinds {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolylineVertex);
    AcDb3dPolylineVertex();
    explicit AcDb3dPolylineVertex(const AcGePoint3d& position);
    ~AcDb3dPolylineVertex() override;

    Vertex3dType vertexType() const;
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);

    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    arx::db::UnmodelledGroups mUnmodelled;
    AcGePoint3d mPosition;
    Adesk::Int16 mFlags = 32;
};

// The old-style 2D polyline (DXF POLYLINE without the 3D, mesh or polyface bits): a list of
// owned AcDb2dVertex entities in the plane of its normal at its elevation.
class ACAD_PORT AcDb2dPolyline : public AcDbCurve, public AcDbPolylineKinds {
public:
    ACRX_DECLARE_MEMBERS(AcDb2dPolyline);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDb2dPolyline();
    // Vertices in world coordinates (projected into the plane of the normal).
    AcDb2dPolyline(Poly2dType type, const AcGePoint3dArray& vertices, double elevation = 0,
                   Adesk::Boolean closed = false, double defStartWidth = 0, double defEndWidth = 0,
                   const AcArray<double>* bulges = nullptr);
    ~AcDb2dPolyline() override;

    Poly2dType polyType() const;
    Acad::ErrorStatus setPolyType(Poly2dType type);
    Adesk::Boolean isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();
    double elevation() const;
    Acad::ErrorStatus setElevation(double elevation);
    AcGeVector3d normal() const;
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const;
    Acad::ErrorStatus setThickness(double thickness);
    double defaultStartWidth() const;
    double defaultEndWidth() const;
    Acad::ErrorStatus setDefaultStartWidth(double width);
    Acad::ErrorStatus setDefaultEndWidth(double width);
    bool isLinetypeGenerationOn() const;

    // The vertices: each is an owned entity opened through its id.
    Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex);
    AcDbObjectIdArray vertexIds() const;
    AcDbObjectId sequenceEndId() const;
    // Position of a vertex (world coordinates), reading the vertex through its id.
    Acad::ErrorStatus vertexPosition(int index, AcGePoint3d& position, double* bulge = nullptr) const;

    Adesk::Boolean isPlanar() const override { return true; }
    Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& type) const override;
    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
    Acad::ErrorStatus getArea(double& area) const override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Lines and arcs, one per segment (not in any database; the caller owns them).
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    // Internal: the file reader hands over the owned entities that followed the polyline.
    void adoptSubentity(AcDbObjectId id, bool isSequenceEnd);

private:
    arx::db::UnmodelledGroups mUnmodelled;
    Adesk::Int16 mFlags = 0;
    Adesk::Int16 mCurveType = 0;
    double mElevation = 0.0;
    double mThickness = 0.0;
    double mDefaultStartWidth = 0.0;
    double mDefaultEndWidth = 0.0;
    AcGeVector3d mNormal = AcGeVector3d::kZAxis;
    AcDbObjectIdArray mVertices;
    AcDbObjectId mSequenceEnd;
    // Vertices given to the constructor before the polyline is in a database.
    AcArray<AcDb2dVertex*> mPendingVertices;
};

// The 3D polyline (DXF POLYLINE with bit 8): owned AcDb3dPolylineVertex entities.
class ACAD_PORT AcDb3dPolyline : public AcDbCurve, public AcDbPolylineKinds {
public:
    ACRX_DECLARE_MEMBERS(AcDb3dPolyline);
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    AcDb3dPolyline();
    AcDb3dPolyline(Poly3dType type, const AcGePoint3dArray& vertices, Adesk::Boolean closed = false);
    ~AcDb3dPolyline() override;

    Poly3dType polyType() const;
    Adesk::Boolean isClosed() const override;
    Acad::ErrorStatus makeClosed();
    Acad::ErrorStatus makeOpen();

    Acad::ErrorStatus appendVertex(AcDb3dPolylineVertex* vertex);
    Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb3dPolylineVertex* vertex);
    AcDbObjectIdArray vertexIds() const;
    AcDbObjectId sequenceEndId() const;
    Acad::ErrorStatus vertexPosition(int index, AcGePoint3d& position) const;

    Acad::ErrorStatus getStartParam(double& param) const override;
    Acad::ErrorStatus getEndParam(double& param) const override;
    Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const override;
    Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;

    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    // Lines, one per segment.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    void adoptSubentity(AcDbObjectId id, bool isSequenceEnd);

private:
    arx::db::UnmodelledGroups mUnmodelled;
    Adesk::Int16 mFlags = 8;
    Adesk::Int16 mCurveType = 0;
    AcDbObjectIdArray mVertices;
    AcDbObjectId mSequenceEnd;
    AcArray<AcDb3dPolylineVertex*> mPendingVertices;
};
