// Symbol tables and their records: blocks, layers, text styles, linetypes, views, UCSs,
// viewports, registered applications and dimension styles. Record names are compared without
// regard to case and keep the case they were given; tables list records in the order they
// were added.
#pragma once
#include "dbmain.h"
#include "gepnt2d.h"
#include "gevec2d.h"

class AcDbSymbolTableRecord;
class AcDbSymbolTableIterator;
class AcDbBlockTableRecordIterator;
class AcDbBlockBegin;
class AcDbBlockEnd;
namespace arx::db {
struct SymbolTableEntries;
struct CarriedItems;
struct BlockAccess;
}  // namespace arx::db

class ACAD_PORT AcDbSymbolTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTable);
    ~AcDbSymbolTable() override;

    Acad::ErrorStatus getAt(const char* entryName, AcDbSymbolTableRecord*& pRec, AcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
    Acad::ErrorStatus getAt(const char* entryName, AcDbObjectId& recordId, bool getErasedRecord = false) const;
    bool has(const char* name) const;
    bool has(AcDbObjectId id) const;
    // The caller deletes the iterator.
    Acad::ErrorStatus newIterator(AcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // Adds a new record (the table open for write): eDuplicateRecordName when a record that is
    // not erased has that name, eInvalidSymbolTableName for an empty or invalid name,
    // eWrongObjectType for a record of another table.
    Acad::ErrorStatus add(AcDbSymbolTableRecord* pRecord);
    Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* pRecord);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // The record class this table holds.
    virtual AcRxClass* recordClass() const = 0;
    // Internal: the records and the name index.
    arx::db::SymbolTableEntries& entries() const { return *mpEntries; }

protected:
    AcDbSymbolTable();

private:
    arx::db::SymbolTableEntries* mpEntries;
};

class ACAD_PORT AcDbSymbolTableIterator {
public:
    virtual ~AcDbSymbolTableIterator();
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getRecordId(AcDbObjectId& id) const;
    Acad::ErrorStatus getRecord(AcDbSymbolTableRecord*& pRecord, AcDb::OpenMode openMode,
                                bool openErasedRec = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    Acad::ErrorStatus seek(const AcDbSymbolTableRecord* pRecord);

protected:
    friend class AcDbSymbolTable;
    AcDbSymbolTableIterator(const AcDbSymbolTable* table, bool atBeginning, bool skipDeleted);
    struct Position;
    Position* mpPos;
};

class ACAD_PORT AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override;

    // getName(char*&) allocates a copy (release it with delete[]); getName(const char*&)
    // points at the record's own text, valid while it is open.
    Acad::ErrorStatus getName(char*& pName) const;
    Acad::ErrorStatus getName(const char*& pName) const;
    // eInvalidSymbolTableName for an empty name or one with characters the host refuses
    // (<>/\":;?*|,=`); a record in a table may not take the name of another record.
    Acad::ErrorStatus setName(const char* pName);
    bool isDependent() const;
    bool isResolved() const;
    // The flags of group 70 (16 xref dependent, 32 resolved, 64 referenced, plus each
    // table's own bits).
    Adesk::Int16 flags() const;
    void setFlags(Adesk::Int16 flags);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

protected:
    AcDbSymbolTableRecord();
    // Groups of the record's own subclass that it does not model, kept in order and written
    // back after its own.
    arx::db::CarriedItems& carried() const { return *mpCarried; }

private:
    struct Data;
    Data* mpData;
    arx::db::CarriedItems* mpCarried;
};

// The typed tables: getAt, add and newIterator with the record and iterator types of each.
#define ARX_DECLARE_SYMBOL_TABLE(TABLE, RECORD, ITERATOR)                                                              \
    class RECORD;                                                                                                      \
    class ITERATOR;                                                                                                    \
    class ACAD_PORT TABLE : public AcDbSymbolTable {                                                                   \
    public:                                                                                                            \
        ACRX_DECLARE_MEMBERS(TABLE);                                                                                   \
        TABLE();                                                                                                       \
        ~TABLE() override;                                                                                             \
        using AcDbSymbolTable::add;                                                                                    \
        using AcDbSymbolTable::getAt;                                                                                  \
        Acad::ErrorStatus getAt(const char* entryName, RECORD*& pRec, AcDb::OpenMode openMode,                         \
                                bool openErasedRec = false) const;                                                     \
        Acad::ErrorStatus add(RECORD* pRecord);                                                                        \
        Acad::ErrorStatus add(AcDbObjectId& recordId, RECORD* pRecord);                                                \
        Acad::ErrorStatus newIterator(ITERATOR*& pIterator, bool atBeginning = true, bool skipDeleted = true) const;   \
        AcRxClass* recordClass() const override;                                                                       \
    };                                                                                                                 \
    class ACAD_PORT ITERATOR : public AcDbSymbolTableIterator {                                                        \
    public:                                                                                                            \
        using AcDbSymbolTableIterator::getRecord;                                                                      \
        Acad::ErrorStatus getRecord(RECORD*& pRecord, AcDb::OpenMode openMode, bool openErasedRec = false) const;      \
                                                                                                                       \
    private:                                                                                                           \
        friend class TABLE;                                                                                            \
        ITERATOR(const TABLE* table, bool atBeginning, bool skipDeleted)                                               \
            : AcDbSymbolTableIterator(table, atBeginning, skipDeleted)                                                 \
        {}                                                                                                             \
    };

ARX_DECLARE_SYMBOL_TABLE(AcDbBlockTable, AcDbBlockTableRecord, AcDbBlockTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbLayerTable, AcDbLayerTableRecord, AcDbLayerTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbTextStyleTable, AcDbTextStyleTableRecord, AcDbTextStyleTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbLinetypeTable, AcDbLinetypeTableRecord, AcDbLinetypeTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbViewTable, AcDbViewTableRecord, AcDbViewTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbUCSTable, AcDbUCSTableRecord, AcDbUCSTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbViewportTable, AcDbViewportTableRecord, AcDbViewportTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbRegAppTable, AcDbRegAppTableRecord, AcDbRegAppTableIterator)
ARX_DECLARE_SYMBOL_TABLE(AcDbDimStyleTable, AcDbDimStyleTableRecord, AcDbDimStyleTableIterator)

// A block: its entities, its origin and, for *Model_Space and the *Paper_Space blocks, its
// layout.
class ACAD_PORT AcDbBlockTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockTableRecord);
    AcDbBlockTableRecord();
    ~AcDbBlockTableRecord() override;

    // Appends a new entity (the record open for write, the entity in no database or newly
    // added): it joins the record's database and list, stays open for write, and the caller
    // closes it. Undo of the append un-appends it.
    Acad::ErrorStatus appendAcDbEntity(AcDbEntity* pEntity);
    Acad::ErrorStatus appendAcDbEntity(AcDbObjectId& pOutputId, AcDbEntity* pEntity);
    // The caller deletes the iterator. skipDeleted leaves erased entities out.
    Acad::ErrorStatus newIterator(AcDbBlockTableRecordIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;

    AcGePoint3d origin() const;
    Acad::ErrorStatus setOrigin(const AcGePoint3d& pt);
    Acad::ErrorStatus comments(char*& pString) const;  // delete[]
    Acad::ErrorStatus comments(const char*& pString) const;
    Acad::ErrorStatus setComments(const char* pString);
    Acad::ErrorStatus pathName(const char*& pPath) const;
    Acad::ErrorStatus setPathName(const char* pathStr);
    bool isAnonymous() const;
    bool hasAttributeDefinitions() const;
    bool isFromExternalReference() const;
    bool isLayout() const;
    AcDbObjectId getLayoutId() const;
    Acad::ErrorStatus setLayoutId(AcDbObjectId layoutId);
    // The BLOCK and ENDBLK objects that frame the block in a drawing file.
    Acad::ErrorStatus openBlockBegin(AcDbBlockBegin*& pBlockBegin, AcDb::OpenMode openMode);
    Acad::ErrorStatus openBlockEnd(AcDbBlockEnd*& pBlockEnd, AcDb::OpenMode openMode);
    AcDbObjectId blockBeginId() const;
    AcDbObjectId blockEndId() const;
    // Ids of the entities in order, erased ones included (internal, for readers and writers).
    const AcDbObjectIdArray& entityIds() const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    friend struct arx::db::BlockAccess;
    struct Data;
    Data* mpData;
};

class ACAD_PORT AcDbBlockTableRecordIterator {
public:
    ~AcDbBlockTableRecordIterator();
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Acad::ErrorStatus getEntityId(AcDbObjectId& entityId) const;
    Acad::ErrorStatus getEntity(AcDbEntity*& pEntity, AcDb::OpenMode openMode, bool openErasedEntity = false) const;
    Acad::ErrorStatus seek(AcDbObjectId id);
    Acad::ErrorStatus seek(const AcDbEntity* pEntity);
    AcDbBlockTableRecord* blockTableRecord() const;

private:
    friend class AcDbBlockTableRecord;
    AcDbBlockTableRecordIterator(const AcDbBlockTableRecord* record, bool atBeginning, bool skipDeleted);
    struct Position;
    Position* mpPos;
};

// The framing objects of a block in a drawing file (owned by the block table record).
class ACAD_PORT AcDbBlockBegin : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockBegin);
    AcDbBlockBegin();
    ~AcDbBlockBegin() override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

    // What a BLOCK record of a file said about its block (name 2, flags 70, origin 10,
    // path 1, description 4); the loader hands it to the block table record.
    struct BlockData;
    const BlockData& blockData() const { return *mpData; }

private:
    BlockData* mpData;
};

class ACAD_PORT AcDbBlockEnd : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockEnd);
    AcDbBlockEnd();
    ~AcDbBlockEnd() override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
};

class ACAD_PORT AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcDbLayerTableRecord();
    ~AcDbLayerTableRecord() override;

    bool isFrozen() const;
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const;
    void setIsOff(bool off);
    // Frozen in new viewports.
    bool VPDFLT() const;
    void setVPDFLT(bool frozen);
    bool isLocked() const;
    void setIsLocked(bool locked);
    AcCmColor color() const;
    void setColor(const AcCmColor& color);
    AcDbObjectId linetypeObjectId() const;
    void setLinetypeObjectId(AcDbObjectId id);
    bool isPlottable() const;
    Acad::ErrorStatus setIsPlottable(bool plot);
    AcDb::LineWeight lineWeight() const;
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};

class ACAD_PORT AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    AcDbTextStyleTableRecord();
    ~AcDbTextStyleTableRecord() override;

    bool isShapeFile() const;
    void setIsShapeFile(bool shape);
    bool isVertical() const;
    void setIsVertical(bool vertical);
    double textSize() const;
    Acad::ErrorStatus setTextSize(double size);
    double xScale() const;
    Acad::ErrorStatus setXScale(double xScale);
    double obliquingAngle() const;
    Acad::ErrorStatus setObliquingAngle(double angle);
    // Generation flags (group 71): 2 backward, 4 upside down.
    Adesk::UInt8 flagBits() const;
    void setFlagBits(Adesk::UInt8 flags);
    double priorSize() const;
    Acad::ErrorStatus setPriorSize(double size);
    Acad::ErrorStatus fileName(const char*& fileName) const;
    Acad::ErrorStatus setFileName(const char* fileName);
    Acad::ErrorStatus bigFontFileName(const char*& fileName) const;
    Acad::ErrorStatus setBigFontFileName(const char* fileName);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};

class ACAD_PORT AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    AcDbLinetypeTableRecord();
    ~AcDbLinetypeTableRecord() override;

    Acad::ErrorStatus comments(const char*& pString) const;
    Acad::ErrorStatus asciiDescription(const char*& pString) const { return comments(pString); }
    Acad::ErrorStatus setComments(const char* pString);
    Acad::ErrorStatus setAsciiDescription(const char* pString) { return setComments(pString); }
    double patternLength() const;
    Acad::ErrorStatus setPatternLength(double length);
    bool isScaledToFit() const;
    void setIsScaledToFit(bool scaledToFit);
    int numDashes() const;
    void setNumDashes(int count);
    double dashLengthAt(int index) const;
    Acad::ErrorStatus setDashLengthAt(int index, double value);
    AcDbObjectId shapeStyleAt(int index) const;
    Acad::ErrorStatus setShapeStyleAt(int index, AcDbObjectId id);
    int shapeNumberAt(int index) const;
    Acad::ErrorStatus setShapeNumberAt(int index, int shapeNumber);
    AcGeVector2d shapeOffsetAt(int index) const;
    Acad::ErrorStatus setShapeOffsetAt(int index, const AcGeVector2d& offset);
    double shapeScaleAt(int index) const;
    Acad::ErrorStatus setShapeScaleAt(int index, double scale);
    double shapeRotationAt(int index) const;
    Acad::ErrorStatus setShapeRotationAt(int index, double rotation);
    bool shapeIsUcsOrientedAt(int index) const;
    Acad::ErrorStatus setShapeIsUcsOrientedAt(int index, bool isUcsOriented);
    Acad::ErrorStatus textAt(int index, const char*& text) const;
    Acad::ErrorStatus setTextAt(int index, const char* text);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};

// The view of a named view or of a tiled viewport.
class ACAD_PORT AcDbAbstractViewTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbAbstractViewTableRecord);
    ~AcDbAbstractViewTableRecord() override;

    AcGePoint2d centerPoint() const;
    void setCenterPoint(const AcGePoint2d& pt);
    double height() const;
    void setHeight(double height);
    double width() const;
    void setWidth(double width);
    AcGePoint3d target() const;
    void setTarget(const AcGePoint3d& target);
    AcGeVector3d viewDirection() const;
    void setViewDirection(const AcGeVector3d& viewDirection);
    double viewTwist() const;
    void setViewTwist(double angle);
    double lensLength() const;
    void setLensLength(double length);
    double frontClipDistance() const;
    void setFrontClipDistance(double distance);
    double backClipDistance() const;
    void setBackClipDistance(double distance);
    // The view mode bits (VIEWMODE): 1 perspective, 2 front clip, 4 back clip, 8 UCS follow,
    // 16 front clip not at the eye.
    Adesk::Int16 viewMode() const;
    void setViewMode(Adesk::Int16 mode);
    bool perspectiveEnabled() const;
    void setPerspectiveEnabled(bool enabled);
    bool frontClipEnabled() const;
    void setFrontClipEnabled(bool enabled);
    bool backClipEnabled() const;
    void setBackClipEnabled(bool enabled);
    bool frontClipAtEye() const;
    void setFrontClipAtEye(bool atEye);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbAbstractViewTableRecord();
    struct View;
    View& view() const { return *mpView; }

private:
    View* mpView;
};

class ACAD_PORT AcDbViewTableRecord : public AcDbAbstractViewTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewTableRecord);
    AcDbViewTableRecord();
    ~AcDbViewTableRecord() override;
    bool isPaperspaceView() const;
    void setIsPaperspaceView(bool pspace);
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
};

// A tiled viewport ("*Active" is the current configuration of the model tab).
class ACAD_PORT AcDbViewportTableRecord : public AcDbAbstractViewTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbViewportTableRecord);
    AcDbViewportTableRecord();
    ~AcDbViewportTableRecord() override;

    AcGePoint2d lowerLeftCorner() const;
    void setLowerLeftCorner(const AcGePoint2d& pt);
    AcGePoint2d upperRightCorner() const;
    void setUpperRightCorner(const AcGePoint2d& pt);
    bool ucsFollowMode() const;
    void setUcsFollowMode(bool enabled);
    Adesk::UInt16 circleSides() const;
    void setCircleSides(Adesk::UInt16 circleSides);
    bool gridEnabled() const;
    void setGridEnabled(bool enabled);
    AcGePoint2d gridIncrements() const;
    void setGridIncrements(const AcGePoint2d& base);
    bool snapEnabled() const;
    void setSnapEnabled(bool enabled);
    double snapAngle() const;
    void setSnapAngle(double angle);
    AcGePoint2d snapBase() const;
    void setSnapBase(const AcGePoint2d& base);
    AcGePoint2d snapIncrements() const;
    void setSnapIncrements(const AcGePoint2d& base);
    Adesk::Int16 iconMode() const;
    void setIconMode(Adesk::Int16 mode);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};

class ACAD_PORT AcDbUCSTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbUCSTableRecord);
    AcDbUCSTableRecord();
    ~AcDbUCSTableRecord() override;
    AcGePoint3d origin() const;
    void setOrigin(const AcGePoint3d& newOrigin);
    AcGeVector3d xAxis() const;
    void setXAxis(const AcGeVector3d& xAxis);
    AcGeVector3d yAxis() const;
    void setYAxis(const AcGeVector3d& yAxis);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    AcGePoint3d mOrigin;
    AcGeVector3d mXAxis;
    AcGeVector3d mYAxis;
};

class ACAD_PORT AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
    AcDbRegAppTableRecord();
    ~AcDbRegAppTableRecord() override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
};

// A dimension style: its name and flags; the dimension variables are carried as groups.
class ACAD_PORT AcDbDimStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimStyleTableRecord);
    AcDbDimStyleTableRecord();
    ~AcDbDimStyleTableRecord() override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
};
