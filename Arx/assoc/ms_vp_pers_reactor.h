// MsVpPersReactor: the database-resident object through which the host tells the module that
// a mark, a floating viewport, an outline block reference or a viewport's clip entity was
// copied, erased, opened for change or changed. Four of them live in the association store
// and are attached as persistent reactors to every associated object, so they are saved with
// the drawing and keep working after it is reopened.
#pragma once
#include "dbmain.h"

class MsVpPersReactor : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(MsVpPersReactor);

    MsVpPersReactor();
    ~MsVpPersReactor() override;

    // The last object associated through this reactor object (a mark, or a viewport for the
    // clip-entity reactor). Kept for the file; no handler reads it.
    AcDbObjectId ownerReference() const;
    Acad::ErrorStatus setOwnerReference(AcDbObjectId id);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) override;

    void copied(const AcDbObject* object, const AcDbObject* newObject) override;
    void erased(const AcDbObject* object, Adesk::Boolean erasing = true) override;
    void openedForModify(const AcDbObject* object) override;
    void modified(const AcDbObject* object) override;
    void subObjModified(const AcDbObject* object, const AcDbObject* subObject) override;
    void modifiedXData(const AcDbObject* object) override;

private:
    AcDbSoftPointerId mOwnerReference;
};

namespace kestra {

// Registers the class with the host once per load.
void registerPersistentReactorClass();

}  // namespace kestra
