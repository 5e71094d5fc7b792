// Proxies: objects and entities whose class is not available (a custom class read without
// its module, or an object type the platform does not model). A proxy keeps every group of
// its data, in order, and writes it back unchanged; its own header (handle, owner,
// reactors, extension dictionary, extended data) is the database's as for any object.
#pragma once
#include "dbidar.h"
#include "dbmain.h"

namespace arx::db {
struct ProxyRecord;  // what a proxy keeps: its origin and its groups
}

class ACAD_PORT AcDbProxyObject : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyObject);
    AcDbProxyObject();
    ~AcDbProxyObject() override;

    // What the proxy allows, from the CLASSES flags of the original class.
    enum ProxyFlags {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kAllButCloningAllowed = 0x7F,
        kCloningAllowed = 0x80,
        kAllAllowedBits = 0xFF,
        kMergeIgnore = 0,
        kMergeReplace = 0x100,
        kMergeMangleName = 0x200,
    };
    int proxyFlags() const;
    // The DXF name and C++ class name the data belongs to; the application that made it.
    const char* originalDxfName() const;
    const char* originalClassName() const;
    const char* applicationDescription() const;
    // Object ids referred to by the data.
    Acad::ErrorStatus getReferences(AcDbObjectIdArray& ids, AcDbIntArray& types) const;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    // Internal: what the proxy keeps.
    arx::db::ProxyRecord& proxyRecord() const { return *mpData; }

private:
    arx::db::ProxyRecord* mpData;
};

class ACAD_PORT AcDbProxyEntity : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyEntity);
    AcDbProxyEntity();
    ~AcDbProxyEntity() override;

    enum GraphicsMetafileType { kNoMetafile = 0, kBoundingBox = 1, kFullGraphics = 2 };
    enum ProxyFlags {
        kNoOperation = 0,
        kEraseAllowed = 0x1,
        kTransformAllowed = 0x2,
        kColorChangeAllowed = 0x4,
        kLayerChangeAllowed = 0x8,
        kLinetypeChangeAllowed = 0x10,
        kLinetypeScaleChangeAllowed = 0x20,
        kVisibilityChangeAllowed = 0x40,
        kCloningAllowed = 0x80,
        kLineWeightChangeAllowed = 0x100,
        kPlotStyleNameChangeAllowed = 0x200,
        kAllButCloningAllowed = 0x37F,
        kAllAllowedBits = 0x3FF,
    };
    int proxyFlags() const;
    const char* originalDxfName() const;
    const char* originalClassName() const;
    const char* applicationDescription() const;
    Acad::ErrorStatus getReferences(AcDbObjectIdArray& ids, AcDbIntArray& types) const;
    GraphicsMetafileType graphicsMetafileType() const;

    // Owned entities that followed it in the file (vertices, attributes) and their end.
    AcDbObjectIdArray subentityIds() const;
    void adoptSubentity(AcDbObjectId id, bool isSequenceEnd);

    // A proxy has no geometry of its own to draw or edit: drawing does nothing, editing is
    // refused (eNotApplicable) and extents are unknown.
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform) override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

    arx::db::ProxyRecord& proxyRecord() const { return *mpData; }

private:
    arx::db::ProxyRecord* mpData;
};
