// Layouts: the Model tab and each paper-space sheet. A layout lives in the layout dictionary
// (ACAD_LAYOUT of the named-object dictionary) under its name and points at its block table
// record (*Model_Space, *Paper_Space, *Paper_Space0, ...), which points back at it.
#pragma once
#include "dbmain.h"
#include "gepnt2d.h"

namespace arx::db {
struct CarriedItems;
}

// Page setup of a layout or a named page setup. The plot configuration groups are carried
// as read; the name is modelled.
class ACAD_PORT AcDbPlotSettings : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbPlotSettings);
    AcDbPlotSettings();
    explicit AcDbPlotSettings(bool modelType);
    ~AcDbPlotSettings() override;

    Acad::ErrorStatus getPlotSettingsName(const char*& plotSettingsName) const;
    Acad::ErrorStatus setPlotSettingsName(const char* plotSettingsName);
    bool modelType() const;
    void setModelType(bool modelType);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};

class ACAD_PORT AcDbLayout : public AcDbPlotSettings {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayout);
    AcDbLayout();
    ~AcDbLayout() override;

    AcDbObjectId getBlockTableRecordId() const;
    virtual Acad::ErrorStatus setBlockTableRecordId(AcDbObjectId BlockTableRecordId);
    // Adds the layout to the layout dictionary and links the block both ways.
    virtual Acad::ErrorStatus addToLayoutDict(AcDbDatabase* towhichDb, AcDbObjectId BlockTableRecordId);
    Acad::ErrorStatus getLayoutName(const char*& layoutName) const;
    virtual Acad::ErrorStatus setLayoutName(const char* layoutName);
    int getTabOrder() const;
    virtual void setTabOrder(int newOrder);
    bool getTabSelected() const;
    virtual void setTabSelected(bool tabSelected);
    // The paper-space viewports of the layout's block in drawing order, the overall
    // (paper-space) viewport first; erased ones are left out.
    AcDbObjectIdArray getViewportArray() const;
    AcDbObjectId lastActiveViewportId() const;
    void setLastActiveViewportId(AcDbObjectId id);

    void getLimits(AcGePoint2d& limMin, AcGePoint2d& limMax) const;
    void setLimits(const AcGePoint2d& limMin, const AcGePoint2d& limMax);
    void getExtents(AcGePoint3d& extMin, AcGePoint3d& extMax) const;
    void setExtents(const AcGePoint3d& extMin, const AcGePoint3d& extMax);
    AcGePoint3d insertionBase() const;
    void setInsertionBase(const AcGePoint3d& base);
    double elevation() const;
    void setElevation(double elevation);

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* pFiler) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* pFiler) const override;

private:
    struct Data;
    Data* mpData;
};
