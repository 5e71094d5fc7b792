// VaduKestra, the viewport mark: a model-space entity whose four corners outline the region
// of model space a paper-space floating viewport shows, with a copy of that viewport's view
// parameters and scale.
//
// Corners are numbered as seen on the sheet: 0 top-right, 1 top-left, 2 bottom-left,
// 3 bottom-right. zoomXp is paper height divided by model height (corner 0 to corner 3).
#pragma once
#include "dbmain.h"
#include "gept3dar.h"

class VaduKestra : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(VaduKestra);

    // The version written by this release; older data is read without the mark's fields and
    // newer data is left to the host as a proxy.
    static constexpr Adesk::Int16 kFilingVersion = 15;
    // scaleLabel holds at most this many characters and its terminator.
    static constexpr int kScaleLabelSize = 32;

    VaduKestra();
    ~VaduKestra() override;

    // Host overrides.
    Adesk::Boolean worldDraw(AcGiWorldDraw* worldDraw) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    // Reads the record reshape() wrote (four corners and the paper height) and reshapes the
    // mark with it, which records the present state in turn so that redo works alike.
    Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) override;
    // Marks are never copied: the viewport is what the user copies.
    Acad::ErrorStatus deepClone(AcDbObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                Adesk::Boolean isPrimary = true) const override;
    Acad::ErrorStatus wblockClone(AcRxObject* owner, AcDbObject*& clone, AcDbIdMapping& idMap,
                                  Adesk::Boolean isPrimary = true) const override;
    // Editing: grip 0 is the centre, grip 1 corner 0, then the extra grips.
    Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode mode, int gsSelectionMark, const AcGePoint3d& pickPoint,
                                     const AcGePoint3d& lastPoint, const AcGeMatrix3d& viewXform,
                                     AcGePoint3dArray& snapPoints, AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                    AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    void list() const override;
    // Any matrix, mirroring and non-uniform scaling included; the view fields stay.
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;
    // Only inside EXPLODE: one closed 3D polyline through the corners.
    Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const override;
    // The points where the four sides (never extended) meet the entity; the second form sees
    // them along the plane's normal. None for a mark of a perspective view.
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, AcGePoint3dArray& points,
                                    int thisGsMarker = 0, int otherGsMarker = 0) const override;
    Acad::ErrorStatus intersectWith(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane& projectionPlane,
                                    AcGePoint3dArray& points, int thisGsMarker = 0,
                                    int otherGsMarker = 0) const override;

    // The mark's own operations, in the order the rest of the module relies on.
    virtual Acad::ErrorStatus setOutlineBlockId(AcDbObjectId id);
    virtual AcDbObjectId outlineBlockId() const;
    virtual Acad::ErrorStatus setPaperHeight(double height);
    virtual double paperHeight() const;
    virtual Acad::ErrorStatus setZoomXp(double zoomXp);
    virtual double zoomXp() const;
    virtual AcDbHandle viewportHandle() const;
    virtual double rotation() const;
    // Turns the outline about the centre so that its rotation becomes `angle`.
    virtual Acad::ErrorStatus setRotation(double angle);
    // Moves the outline so that its centre becomes `point`.
    virtual Acad::ErrorStatus setCenter(const AcGePoint3d& point);
    // center := the midpoint of corners 0 and 2.
    virtual Acad::ErrorStatus recomputeCenter();
    virtual AcGePoint3d center() const;
    virtual Acad::ErrorStatus setCorner0(const AcGePoint3d& point);
    virtual Acad::ErrorStatus setCorner1(const AcGePoint3d& point);
    virtual Acad::ErrorStatus setCorner2(const AcGePoint3d& point);
    virtual Acad::ErrorStatus setCorner3(const AcGePoint3d& point);
    virtual AcGePoint3d corner0() const;
    virtual AcGePoint3d corner1() const;
    virtual AcGePoint3d corner2() const;
    virtual AcGePoint3d corner3() const;
    // Distances corner 0 to corner 3 and corner 0 to corner 1.
    virtual double height() const;
    virtual double width() const;
    virtual Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    virtual AcGeVector3d normal() const;
    // Each corner equals the given point within 1e-4.
    virtual bool sameCorners(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                             const AcGePoint3d& p3) const;
    // Fills the mark from the model corners of its viewport and the view variables of the
    // active viewport. eInvalidInput when a view variable cannot be read: it is reported,
    // and the fields from that one on keep their values.
    virtual Acad::ErrorStatus setFromViewport(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                                              const AcGePoint3d& p3, double paperHeight,
                                              const AcDbHandle& viewportHandle, const AcGeVector3d& normal);
    // Resizes the outline about `basePoint` to the scale `newZoomXp`. eInvalidInput, and
    // nothing changed, unless the new and the current scale are positive numbers.
    virtual Acad::ErrorStatus setScale(const AcGePoint3d& basePoint, double newZoomXp);
    // Stores the property-palette marker in the extension dictionary. The mark must be in a
    // database and open for write.
    virtual Acad::ErrorStatus attachPropertyMarker();
    // Gives the mark new corners and paper height with an undo record of its own, and writes
    // the resulting view into the viewport's view record. eNotOpenForRead when the viewport
    // cannot be opened, eNotOpenForWrite when it cannot be changed.
    virtual Acad::ErrorStatus reshape(const AcGePoint3d& p0, const AcGePoint3d& p1, const AcGePoint3d& p2,
                                      const AcGePoint3d& p3, double paperHeight);
    virtual Acad::ErrorStatus setViewMode(Adesk::Int32 viewMode);
    virtual Adesk::Int32 viewMode() const;
    virtual Acad::ErrorStatus setFrontZ(double frontZ);
    virtual double frontZ() const;
    virtual Acad::ErrorStatus setBackZ(double backZ);
    virtual double backZ() const;
    virtual Acad::ErrorStatus setViewDir(const AcGePoint3d& viewDir);
    virtual AcGePoint3d viewDir() const;
    virtual Acad::ErrorStatus setViewTarget(const AcGePoint3d& viewTarget);
    virtual AcGePoint3d viewTarget() const;
    virtual Acad::ErrorStatus setViewCenter(const AcGePoint3d& viewCenter);
    virtual AcGePoint3d viewCenter() const;
    virtual Acad::ErrorStatus setLensLength(double lensLength);
    virtual double lensLength() const;
    // On one of the four unbounded side lines, within 1e-5.
    virtual bool isOnOutline(const AcGePoint3d& point) const;
    // Inside the outline, by the winding of the corners around the point.
    virtual bool contains(const AcGePoint3d& point) const;

    // The transient state of grip edits: never filed, and changed while the mark is drawn, so
    // these do not ask for a write open.
    const char* scaleLabel() const;
    // A text longer than the label holds is cut to fit; null empties the label.
    void setScaleLabel(const char* text);
    void clearScaleLabel();
    const AcGePoint3dArray& extraGrips() const;
    void appendExtraGrip(const AcGePoint3d& point);
    void clearExtraGrips();

    // The four corners, 0 to 3.
    const AcGePoint3d* corners() const;

protected:
    // Where the legacy mark class (VaduMsv) differs: each answers for this class.
    // The text of the property-palette marker.
    virtual const char* propertyMarkerText() const;
    // Whether the outline is drawn with the fill type set to never first.
    virtual bool setsOutlineFillType() const;
    // Whether moving the centre and corner grips together loads the run-time standard scales.
    virtual bool loadsRunTimeScales() const;
    // Called when the DXF fields have been read, however the reading ended.
    virtual void completeDxfRead();

private:
    Acad::ErrorStatus setCorner(int index, const AcGePoint3d& point);
    AcGePoint3d corner(int index) const;
    // zoomXp := paperHeight / height; left as it is for an outline without height.
    void updateZoomXp();
    // Reads the view variables in turn; false (reported) at the first that cannot be read.
    bool readViewVariables();
    void writeDwgFields(AcDbDwgFiler* filer) const;
    void readDwgFields(AcDbDwgFiler* filer);
    void writeDxfFields(AcDbDxfFiler* filer) const;
    Acad::ErrorStatus readDxfFields(AcDbDxfFiler* filer);
    // False when the group is not one of the mark's (the caller pushes it back).
    bool setDxfField(const resbuf& item);
    void drawOutline(AcGiWorldDraw* worldDraw) const;
    bool drawDragLabel(AcGiWorldDraw* worldDraw);
    // transformBy without the write check: corners through the matrix, then the derived
    // fields (centre, scale, normal, rotation).
    void transformOutline(const AcGeMatrix3d& xform);
    // The corner grip: resizes about the centre (weight 2) or moves corner 0 alone with the
    // run-time scales loaded (weight 3).
    Acad::ErrorStatus moveCornerGrip(int weight, const AcGeVector3d& offset);
    void resizeAboutCenter(const AcGeVector3d& u);
    Acad::ErrorStatus moveCornerAlone(const AcGePoint3d& p);
    // The part of the listing after the host's header; false when a variable is unreadable.
    bool listReport() const;
    void listViewport() const;
    Acad::ErrorStatus intersectOutline(const AcDbEntity* other, AcDb::Intersect type, const AcGePlane* projectionPlane,
                                       AcGePoint3dArray& points) const;

    AcDbHandle mViewportHandle;
    AcGePoint3d mCorners[4];
    AcGePoint3d mCenter;
    double mPaperHeight = 0.0;
    double mRotation = 0.0;
    double mZoomXp = 0.0;
    AcGeVector3d mNormal;
    char mScaleLabel[kScaleLabelSize] = {};
    AcGePoint3dArray mExtraGrips{0, 8};
    AcDbSoftPointerId mOutlineBlockId;
    Adesk::Int32 mViewMode = 0;
    AcGePoint3d mViewDir;
    AcGePoint3d mViewTarget;
    AcGePoint3d mViewCenter;
    double mBackZ = 0.0;
    double mFrontZ = 0.0;
    double mLensLength = 0.0;

    friend class VaduMsv;
};

namespace kestra {

// Registers the class with the host once per load (nothing when it is registered already).
// The teardown deletes it with the module's other classes.
void registerMarkClass();

}  // namespace kestra
