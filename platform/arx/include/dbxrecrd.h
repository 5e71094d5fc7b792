// AcDbXrecord: an object holding any chain of DXF groups (every group code type except the
// object header codes 5, 100 and 102 and the extended data codes).
#pragma once
#include "dbmain.h"

class ACAD_PORT AcDbXrecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbXrecord);
    AcDbXrecord();
    ~AcDbXrecord() override;

    // A copy of the data as a result-buffer chain (null for an empty record); the caller
    // releases it with acutRelRb. References come back as entity names (rlname).
    Acad::ErrorStatus rbChain(resbuf** ppRb, AcDbDatabase* auxDb = nullptr) const;
    // Replaces the data. eInvalidInput for a group code an xrecord cannot hold (nothing is
    // changed then).
    Acad::ErrorStatus setFromRbChain(const resbuf& pRb, AcDbDatabase* auxDb = nullptr);

    bool isXlateReferences() const;
    void setXlateReferences(bool translate);
    AcDb::DuplicateRecordCloning mergeStyle() const;
    void setMergeStyle(AcDb::DuplicateRecordCloning style);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};
