// The drawing database: AcDbObject, AcDbEntity, their reactors, AcDbDatabase and the open
// calls.
//
// Rules every caller relies on:
// - An object opened is valid until closed. Up to 256 readers at a time when the object is not
//   open for write or notify; one writer, only when it is not open at all; notify while closed,
//   read or write, but not twice. A failed open leaves nothing open.
// - An erased object opens only when the call asks for erased objects (eWasErased); an
//   object whose append was undone answers ePermanentlyErased.
// - An entity on a locked layer does not open (or upgrade) for write unless the call asks to
//   open on locked layers (eOnLockedLayer); reading is always allowed.
// - assertWriteEnabled sends openedForModify at its first call in an open (not for an object
//   appended during that open) after recording the state for undo; `modified` goes out when
//   the object is closed (or downgraded). Calling it on an object not open for write aborts.
#pragma once
#include "acadstrc.h"
#include "acdb.h"
#include "adesk.h"
#include "adsdef.h"
#include "dbcolor.h"
#include "dbfiler.h"
#include "dbhandle.h"
#include "dbid.h"
#include "dbidar.h"
#include "dbintar.h"
#include "dbptrar.h"
#include "dbsubeid.h"
#include "drawable.h"
#include "gemat3d.h"
#include "gept3dar.h"
#include "gepnt3d.h"
#include "geplane.h"
#include "gevec3d.h"
#include "rxboiler.h"

class AcDbDatabase;
class AcDbDictionary;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbTextStyleTable;
class AcDbLinetypeTable;
class AcDbViewTable;
class AcDbUCSTable;
class AcDbViewportTable;
class AcDbRegAppTable;
class AcDbDimStyleTable;
class AcDbIdMapping;
class AcDbAuditInfo;
class AcDbObjectReactor;
class AcDbDatabaseReactor;
class AcDbGripData;
class AcGiWorldDraw;
class AcGiViewportDraw;
class AcGiDrawableTraits;
namespace arx::db {
struct ObjectState;
struct DatabaseState;
void swapDatabaseContents(AcDbDatabase* a, AcDbDatabase* b);
}  // namespace arx::db

// An axis-aligned box; empty until a point is added.
class ACAD_PORT AcDbExtents {
public:
    AcDbExtents();
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max);
    const AcGePoint3d& minPoint() const { return mMin; }
    const AcGePoint3d& maxPoint() const { return mMax; }
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max);
    void addPoint(const AcGePoint3d& pt);
    void addExt(const AcDbExtents& src);
    Acad::ErrorStatus expandBy(const AcGeVector3d& vec);
    // The box around the eight transformed corners.
    void transformBy(const AcGeMatrix3d& mat);
    bool isEmpty() const { return mMin.x > mMax.x; }

private:
    AcGePoint3d mMin;
    AcGePoint3d mMax;
};

class ACAD_PORT AcDbObject : public AcGiDrawable {
public:
    ACRX_DECLARE_MEMBERS(AcDbObject);
    ~AcDbObject() override;

    // Objects live in the database's own heap (every derived class, applications' included).
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size) noexcept;

    // Identity.
    AcDbObjectId objectId() const;
    AcDbObjectId ownerId() const;
    // The object must be open for write (or not yet in a database).
    virtual Acad::ErrorStatus setOwnerId(AcDbObjectId objId);
    void getAcDbHandle(AcDbHandle& handle) const;
    AcDbDatabase* database() const;

    // Open state.
    Acad::ErrorStatus close();
    // Closes a write open without keeping the changes (they are restored from the undo record).
    Acad::ErrorStatus cancel();
    Acad::ErrorStatus upgradeOpen();
    Acad::ErrorStatus downgradeOpen();
    Acad::ErrorStatus upgradeFromNotify(Adesk::Boolean& wasWritable);
    Acad::ErrorStatus downgradeToNotify(Adesk::Boolean wasWritable);

    // Fatal (the process aborts with a message) when the object is in a database and not
    // open in the mode asked for.
    void assertReadEnabled() const;
    void assertWriteEnabled(Adesk::Boolean autoUndo = true, Adesk::Boolean recordModified = true);
    void assertNotifyEnabled() const;

    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const;
    bool isModified() const;
    bool isModifiedXData() const;
    bool isModifiedGraphics() const;
    bool isNewObject() const;
    bool isNotifying() const;
    bool isUndoing() const;
    bool isCancelling() const;
    bool isReallyClosing() const;
    bool isTransactionResident() const { return false; }
    bool isErased() const;
    bool isEraseStatusToggled() const;
    bool isAProxy() const;
    bool isPersistent() const { return !objectId().isNull(); }

    // Erasing: the object must be open for write; subErase may refuse. erase(false) unerases.
    Acad::ErrorStatus erase(Adesk::Boolean erasing = true);

    // Filing. dwgIn/dwgOut and dxfIn/dxfOut frame the *Fields calls; dxfOut writes the 0
    // group with the class's DXF name and, after the fields, the extended data.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* pFiler);
    Acad::ErrorStatus dwgOut(AcDbDwgFiler* pFiler) const;
    Acad::ErrorStatus dxfIn(AcDbDxfFiler* pFiler);
    Acad::ErrorStatus dxfOut(AcDbDxfFiler* pFiler, Adesk::Boolean allXdFlag = true,
                             Adesk::UInt8* regAppTable = nullptr) const;
    virtual Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler);
    virtual Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const;
    virtual Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler);
    virtual Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const;

    // The undo filer of the current open when undo is being recorded, else null. An object
    // that called assertWriteEnabled(false, true) writes its own partial record here: its
    // class descriptor first (writeAddress(desc())), then its data; applyPartialUndo reads
    // it back.
    AcDbDwgFiler* undoFiler();
    virtual Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj);

    // Copies. clone() files the object out and into a new one through the copy filer (a copy
    // not in any database, with the same extended data and persistent reactors).
    AcRxObject* clone() const override;
    Acad::ErrorStatus copyFrom(const AcRxObject* pSrc) override;
    virtual Acad::ErrorStatus deepClone(AcDbObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                        Adesk::Boolean isPrimary = true) const;
    virtual Acad::ErrorStatus wblockClone(AcRxObject* pOwnerObject, AcDbObject*& pClonedObject, AcDbIdMapping& idMap,
                                          Adesk::Boolean isPrimary = true) const;

    virtual Acad::ErrorStatus audit(AcDbAuditInfo* pAuditInfo);

    // Extended data: a chain that starts with a 1001 group naming a registered application.
    // xData(name) gives a copy of that application's data (all applications for null); the
    // caller releases it with acutRelRb. setXData replaces the data of each application the
    // chain names (a 1001 group alone removes it); eInvalidInput when an application is not
    // registered or a group code is not one of extended data.
    virtual resbuf* xData(const char* regappName = nullptr) const;
    virtual Acad::ErrorStatus setXData(const resbuf* xdata);
    Acad::ErrorStatus xDataTransformBy(const AcGeMatrix3d& xform);

    // The extension dictionary (hard owned; created on demand, the object open for write).
    Acad::ErrorStatus createExtensionDictionary();
    AcDbObjectId extensionDictionary() const;
    // Erases the extension dictionary when it is empty (eContainerNotEmpty otherwise).
    Acad::ErrorStatus releaseExtensionDictionary();

    // Reactors. Transient ones are C++ objects; persistent ones are ids of database objects
    // whose reactor virtuals (below) get the notifications. reactors() lists both: test each
    // entry with acdbIsPersistentReactor and decode it with acdbPersistentReactorObjectId.
    void addReactor(AcDbObjectReactor* newObj) const;
    void removeReactor(AcDbObjectReactor* newObj) const;
    virtual void addPersistentReactor(AcDbObjectId objId);
    virtual Acad::ErrorStatus removePersistentReactor(AcDbObjectId objId);
    bool hasPersistentReactor(AcDbObjectId objId) const;
    const AcDbVoidPtrArray* reactors() const;

    // Notifications received as a persistent reactor of another object.
    virtual void cancelled(const AcDbObject* dbObj);
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj);
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean pErasing = true);
    virtual void goodbye(const AcDbObject* dbObj);
    virtual void openedForModify(const AcDbObject* dbObj);
    virtual void modified(const AcDbObject* dbObj);
    virtual void subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj);
    virtual void modifyUndone(const AcDbObject* dbObj);
    virtual void modifiedXData(const AcDbObject* dbObj);
    virtual void unappended(const AcDbObject* dbObj);
    virtual void reappended(const AcDbObject* dbObj);
    virtual void objectClosed(const AcDbObjectId dbObj);
    virtual void modifiedGraphics(const AcDbObject* dbObj);

    // AcGiDrawable: a plain object draws nothing.
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* pTraits) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* pWd) override;
    void viewportDraw(AcGiViewportDraw* pVd) override;

    // Internal state of the database (not for modules).
    arx::db::ObjectState* objectState() const { return mpState; }

    // Hooks of erase, open, close and cancel: a refusal from subErase or subOpen stops the
    // operation.
    virtual Acad::ErrorStatus subErase(Adesk::Boolean erasing);
    virtual Acad::ErrorStatus subOpen(AcDb::OpenMode mode);
    virtual Acad::ErrorStatus subClose();
    virtual Acad::ErrorStatus subCancel();

protected:
    AcDbObject();

private:
    AcDbObject(const AcDbObject&) = delete;
    AcDbObject& operator=(const AcDbObject&) = delete;
    // The database's state of the object is kept inside it, so that making an object costs one
    // allocation, not two (a drawing file makes hundreds of thousands).
    alignas(8) unsigned char mStateStorage[112];
    arx::db::ObjectState* mpState;
};

class ACAD_PORT AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override;

    // The block table record that owns the entity.
    AcDbObjectId blockId() const;

    // Properties. layer() and linetype() return a copy the caller releases with free().
    AcCmColor color() const;
    virtual Acad::ErrorStatus setColor(const AcCmColor& color, Adesk::Boolean doSubents = true);
    Adesk::UInt16 colorIndex() const;
    virtual Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, Adesk::Boolean doSubents = true);
    char* layer() const;
    AcDbObjectId layerId() const;
    virtual Acad::ErrorStatus setLayer(const char* newVal, Adesk::Boolean doSubents = true);
    virtual Acad::ErrorStatus setLayer(AcDbObjectId newVal, Adesk::Boolean doSubents = true);
    char* linetype() const;
    AcDbObjectId linetypeId() const;
    virtual Acad::ErrorStatus setLinetype(const char* newVal, Adesk::Boolean doSubents = true);
    virtual Acad::ErrorStatus setLinetype(AcDbObjectId newVal, Adesk::Boolean doSubents = true);
    double linetypeScale() const;
    virtual Acad::ErrorStatus setLinetypeScale(double newVal, Adesk::Boolean doSubents = true);
    AcDb::Visibility visibility() const;
    virtual Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, Adesk::Boolean doSubents = true);
    AcDb::LineWeight lineWeight() const;
    virtual Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, Adesk::Boolean doSubents = true);
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* pEntity, Adesk::Boolean doSubents = true);
    // The current layer, linetype, colour, linetype scale of the database (the entity's own
    // database, or the working database when it has none).
    void setDatabaseDefaults();
    void setDatabaseDefaults(AcDbDatabase* pDb);
    virtual void subSetDatabaseDefaults(AcDbDatabase* pDb);

    // Drawing: the base draws nothing and asks for no viewport drawing.
    Adesk::UInt32 setAttributes(AcGiDrawableTraits* pTraits) override;
    Adesk::Boolean worldDraw(AcGiWorldDraw* pWd) override;
    void viewportDraw(AcGiViewportDraw* pVd) override;
    virtual void recordGraphicsModified(Adesk::Boolean setModified = true);

    // Editing protocol. The base answers eNotApplicable where nothing is defined; stretch
    // points default to the grip points and moving them to moving the grips.
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    // A clone (clone()) transformed by transformBy; eNotApplicable when that refuses.
    virtual Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const;
    virtual Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const;
    virtual Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, int gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, AcGePoint3dArray& points,
                                            int thisGsMarker = 0, int otherGsMarker = 0) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane& projPlane,
                                            AcGePoint3dArray& points, int thisGsMarker = 0,
                                            int otherGsMarker = 0) const;
    virtual Acad::ErrorStatus getSubentPathsAtGsMarker(AcDb::SubentType type, int gsMark, const AcGePoint3d& pickPoint,
                                                       const AcGeMatrix3d& viewXform, int& numPaths,
                                                       AcDbFullSubentPath*& subentPaths, int numInserts = 0,
                                                       AcDbObjectId* entAndInsertStack = nullptr) const;
    virtual Acad::ErrorStatus getGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                       AcDbIntArray& gsMarkers) const;
    virtual AcDbEntity* subentPtr(const AcDbFullSubentPath& id) const;
    virtual Acad::ErrorStatus highlight(const AcDbFullSubentPath& subId = kNullSubent,
                                        const Adesk::Boolean highlightAll = false) const;
    virtual Acad::ErrorStatus unhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                          const Adesk::Boolean highlightAll = false) const;
    virtual Acad::ErrorStatus getEcs(AcGeMatrix3d& retVal) const;
    virtual Adesk::Boolean isPlanar() const { return false; }
    virtual Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& type) const;
    // Prints the host's listing header: the DXF name, layer, space and handle.
    virtual void list() const;
    virtual void saveAs(AcGiWorldDraw* mode, AcDb::SaveType st);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    AcDbEntity();

private:
    struct Properties;
    // The entity's common properties live inside it, as the object's state does.
    alignas(8) unsigned char mPropsStorage[96];
    Properties* mpProps;
};

// Transient reactor of one object (added with AcDbObject::addReactor).
class ACAD_PORT AcDbObjectReactor : public AcRxObject {
public:
    virtual void cancelled(const AcDbObject* dbObj) {}
    virtual void copied(const AcDbObject* dbObj, const AcDbObject* newObj) {}
    virtual void erased(const AcDbObject* dbObj, Adesk::Boolean pErasing = true) {}
    virtual void goodbye(const AcDbObject* dbObj) {}
    virtual void openedForModify(const AcDbObject* dbObj) {}
    virtual void modified(const AcDbObject* dbObj) {}
    virtual void subObjModified(const AcDbObject* dbObj, const AcDbObject* subObj) {}
    virtual void modifyUndone(const AcDbObject* dbObj) {}
    virtual void modifiedXData(const AcDbObject* dbObj) {}
    virtual void unappended(const AcDbObject* dbObj) {}
    virtual void reappended(const AcDbObject* dbObj) {}
    virtual void objectClosed(const AcDbObjectId objId) {}

protected:
    AcDbObjectReactor() = default;
};

// Transient reactor of an entity; modifiedGraphics follows `modified` for entities.
class ACAD_PORT AcDbEntityReactor : public AcDbObjectReactor {
public:
    virtual void modifiedGraphics(const AcDbEntity* dbEnt) {}

protected:
    AcDbEntityReactor() = default;
};

// Reactor of a whole database (AcDbDatabase::addReactor).
class ACAD_PORT AcDbDatabaseReactor : public AcRxObject {
public:
    virtual void objectAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectUnAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectReAppended(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectOpenedForModify(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectModified(const AcDbDatabase* dwg, const AcDbObject* dbObj) {}
    virtual void objectErased(const AcDbDatabase* dwg, const AcDbObject* dbObj, Adesk::Boolean pErased = true) {}
    virtual void headerSysVarWillChange(const AcDbDatabase* dwg, const char* name) {}
    virtual void headerSysVarChanged(const AcDbDatabase* dwg, const char* name, Adesk::Boolean bSuccess) {}
    virtual void proxyResurrectionCompleted(const AcDbDatabase* dwg, const char* appname, AcDbObjectIdArray& objects) {}
    virtual void goodbye(const AcDbDatabase* dwg) {}
};

class ACAD_PORT AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);

    // A new drawing as the host makes one: block table with *Model_Space and *Paper_Space,
    // layer "0", linetypes ByBlock, ByLayer and Continuous, text style and dimension style
    // "Standard", the "*Active" viewport, application "ACAD", the named-object dictionary with
    // ACAD_GROUP, ACAD_LAYOUT (layouts "Model" and "Layout1"), ACAD_MLINESTYLE,
    // ACAD_PLOTSETTINGS and ACAD_PLOTSTYLENAME, and the header variables of a new drawing.
    // With buildDefaultDrawing false the database is empty (a file reader fills it).
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;

    // Adds a new object (not in any database) and gives it an id and the next handle; it
    // stays open for write and the caller closes it. The owner is set separately.
    Acad::ErrorStatus addAcDbObject(AcDbObject* pObj);
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj);

    // The id of a handle; with createIfNotFound a new id is reserved for that handle.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                      Adesk::UInt32 xRefId = 0);

    // Symbol tables.
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getViewTable(AcDbViewTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getUCSTable(AcDbUCSTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getViewportTable(AcDbViewportTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& pTable, AcDb::OpenMode mode);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& p, AcDb::OpenMode m) { return getBlockTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& p, AcDb::OpenMode m) { return getLayerTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& p, AcDb::OpenMode m) { return getTextStyleTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& p, AcDb::OpenMode m) { return getLinetypeTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbViewTable*& p, AcDb::OpenMode m) { return getViewTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbUCSTable*& p, AcDb::OpenMode m) { return getUCSTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbViewportTable*& p, AcDb::OpenMode m) { return getViewportTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& p, AcDb::OpenMode m) { return getRegAppTable(p, m); }
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& p, AcDb::OpenMode m) { return getDimStyleTable(p, m); }
    AcDbObjectId blockTableId() const;
    AcDbObjectId layerTableId() const;
    AcDbObjectId textStyleTableId() const;
    AcDbObjectId linetypeTableId() const;
    AcDbObjectId viewTableId() const;
    AcDbObjectId UCSTableId() const;
    AcDbObjectId viewportTableId() const;
    AcDbObjectId regAppTableId() const;
    AcDbObjectId dimStyleTableId() const;

    // Dictionaries.
    Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    Acad::ErrorStatus getLayoutDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    Acad::ErrorStatus getGroupDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    Acad::ErrorStatus getMLStyleDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    Acad::ErrorStatus getPlotSettingsDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    Acad::ErrorStatus getPlotStyleNameDictionary(AcDbDictionary*& pDict, AcDb::OpenMode mode);
    AcDbObjectId namedObjectsDictionaryId() const;
    AcDbObjectId layoutDictionaryId() const;
    AcDbObjectId groupDictionaryId() const;
    AcDbObjectId mLStyleDictionaryId() const;
    AcDbObjectId plotSettingsDictionaryId() const;
    AcDbObjectId plotStyleNameDictionaryId() const;

    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;
    // The block table record new entities go to: *Model_Space while TILEMODE is 1 or a
    // floating viewport is active, else the current layout's paper-space block.
    AcDbObjectId currentSpaceId() const;

    // Cloning. deepCloneObjects copies objects within this database (owner: the object that
    // receives the primary copies); wblockCloneObjects copies them into the database of the
    // owner id. The id map collects (original, copy) pairs for one operation.
    Acad::ErrorStatus deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner, AcDbIdMapping& idMap,
                                       bool deferXlation = false);
    Acad::ErrorStatus wblockCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner, AcDbIdMapping& idMap,
                                         AcDb::DuplicateRecordCloning drc, bool deferXlation = false);
    void abortDeepClone(AcDbIdMapping& idMap);

    // Reactors.
    void addReactor(AcDbDatabaseReactor* pReactor) const;
    void removeReactor(AcDbDatabaseReactor* pReactor) const;

    // Undo.
    bool undoRecording() const;
    void disableUndoRecording(bool disable);

    // Drawing files (ASCII DXF, release 2000).
    Acad::ErrorStatus dxfIn(const char* dxfFilename, const char* logFilename = nullptr);
    Acad::ErrorStatus dxfOut(const char* fileName, int precision = 16, bool saveThumbnailImage = false);
    Acad::ErrorStatus getFilename(const char*& pOutput) const;

    // Header variables (the drawing's own system variables).
    AcDbHandle handseed() const;
    // The seed only grows: a value below the next free handle gives eInvalidInput.
    Acad::ErrorStatus setHandseed(const AcDbHandle& handle);
    bool tilemode() const;
    Acad::ErrorStatus setTilemode(bool mode);
    AcGePoint3d extmin() const;
    AcGePoint3d extmax() const;
    Acad::ErrorStatus setExtmin(const AcGePoint3d& min);
    Acad::ErrorStatus setExtmax(const AcGePoint3d& max);
    AcGePoint3d insbase() const;
    Acad::ErrorStatus setInsbase(const AcGePoint3d& base);
    AcGePoint3d pextmin() const;
    AcGePoint3d pextmax() const;
    Acad::ErrorStatus setPextmin(const AcGePoint3d& min);
    Acad::ErrorStatus setPextmax(const AcGePoint3d& max);
    AcGePoint3d pinsbase() const;
    Acad::ErrorStatus setPinsbase(const AcGePoint3d& base);
    AcGePoint2d limmin() const;
    AcGePoint2d limmax() const;
    Acad::ErrorStatus setLimmin(const AcGePoint2d& min);
    Acad::ErrorStatus setLimmax(const AcGePoint2d& max);
    AcGePoint2d plimmin() const;
    AcGePoint2d plimmax() const;
    Acad::ErrorStatus setPlimmin(const AcGePoint2d& min);
    Acad::ErrorStatus setPlimmax(const AcGePoint2d& max);
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId objId);
    AcDbObjectId celtype() const;
    Acad::ErrorStatus setCeltype(AcDbObjectId objId);
    AcDbObjectId textstyle() const;
    Acad::ErrorStatus setTextstyle(AcDbObjectId objId);
    AcCmColor cecolor() const;
    Acad::ErrorStatus setCecolor(const AcCmColor& color);
    double celtscale() const;
    Acad::ErrorStatus setCeltscale(double scale);
    double ltscale() const;
    Acad::ErrorStatus setLtscale(double scale);
    Adesk::Int16 lunits() const;
    Acad::ErrorStatus setLunits(Adesk::Int16 lunits);
    Adesk::Int16 luprec() const;
    Acad::ErrorStatus setLuprec(Adesk::Int16 prec);
    Adesk::Int16 aunits() const;
    Acad::ErrorStatus setAunits(Adesk::Int16 aunits);
    Adesk::Int16 auprec() const;
    Acad::ErrorStatus setAuprec(Adesk::Int16 auprec);
    double elevation() const;
    Acad::ErrorStatus setElevation(double elev);
    double pelevation() const;
    Acad::ErrorStatus setPelevation(double elev);
    AcGePoint3d ucsorg() const;
    AcGeVector3d ucsxdir() const;
    AcGeVector3d ucsydir() const;
    Acad::ErrorStatus setUcsorg(const AcGePoint3d& origin);
    Acad::ErrorStatus setUcsdir(const AcGeVector3d& xDir, const AcGeVector3d& yDir);
    Adesk::Int16 pdmode() const;
    Acad::ErrorStatus setPdmode(Adesk::Int16 mode);
    double pdsize() const;
    Acad::ErrorStatus setPdsize(double size);

    int approxNumObjects() const;

    // Internal state (not for modules).
    arx::db::DatabaseState* state() const { return mpState; }

private:
    friend void arx::db::swapDatabaseContents(AcDbDatabase* a, AcDbDatabase* b);
    arx::db::DatabaseState* mpState;
};

// Opening objects. The template forms check the class (eNotThatKindOfClass; nothing stays
// open). openOnLockedLayer lets an entity on a locked layer open for write.
ACAD_PORT Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                               bool openErasedObject = false, bool openOnLockedLayer = false);
// eNotAnEntity for an object that is not an entity.
ACAD_PORT Acad::ErrorStatus acdbOpenAcDbEntity(AcDbEntity*& pEnt, AcDbObjectId id, AcDb::OpenMode mode,
                                               bool openErasedEntity = false, bool openOnLockedLayer = false);

template <class T>
inline Acad::ErrorStatus acdbOpenObject(T*& pObj, AcDbObjectId id, AcDb::OpenMode mode, bool openErased = false,
                                        bool openOnLockedLayer = false)
{
    pObj = nullptr;
    AcDbObject* pBase = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbObject(pBase, id, mode, openErased, openOnLockedLayer);
    if (es != Acad::eOk) return es;
    T* pTyped = T::cast(pBase);
    if (pTyped == nullptr) {
        pBase->close();
        return Acad::eNotThatKindOfClass;
    }
    pObj = pTyped;
    return Acad::eOk;
}

template <>
inline Acad::ErrorStatus acdbOpenObject<AcDbObject>(AcDbObject*& pObj, AcDbObjectId id, AcDb::OpenMode mode,
                                                    bool openErased, bool openOnLockedLayer)
{
    return acdbOpenAcDbObject(pObj, id, mode, openErased, openOnLockedLayer);
}

// ads_name <-> id: an entity name is the id's number in name[0] (name[1] is 0).
ACAD_PORT Acad::ErrorStatus acdbGetAdsName(ads_name& objName, AcDbObjectId objId);
ACAD_PORT Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& objId, const ads_name objName);

// Decoding the entries of AcDbObject::reactors().
ACAD_PORT bool acdbIsPersistentReactor(void* pSomething);
ACAD_PORT AcDbObjectId acdbPersistentReactorObjectId(void* pSomething);
