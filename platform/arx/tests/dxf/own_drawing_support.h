// A drawing as this host's users make it, for the tests of our own files: a custom entity
// class standing for the viewport mark (registered while a TestMarkClass lives), layouts with
// floating viewports, a viewport clipped by a polyline, an extension dictionary and a
// persistent reactor.
#pragma once
#include <string>

#include "dbmain.h"
#include "rxboiler.h"

// A custom entity filed like a module's entity: DXF name KESTRATESTMARK, application
// KESTRATEST, proxy flags 1; a version group first, a point, a text and a hard pointer.
class DxfTestMark : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(DxfTestMark);
    DxfTestMark() = default;

    AcGePoint3d center() const;
    void setCenter(const AcGePoint3d& point);
    std::string label() const;
    void setLabel(const std::string& text);
    AcDbObjectId target() const;
    void setTarget(AcDbObjectId id);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;

private:
    AcGePoint3d mCenter;
    std::string mLabel;
    AcDbObjectId mTarget;
};

namespace dxftest {

// Registers DxfTestMark for its lifetime.
class TestMarkClass {
public:
    TestMarkClass();
    ~TestMarkClass();
    TestMarkClass(const TestMarkClass&) = delete;
    TestMarkClass& operator=(const TestMarkClass&) = delete;
};

// Handles of what buildRichDrawing made.
struct RichDrawing {
    std::string markHandle;             // the mark in Layout1, with an extension dictionary
    std::string markedViewportHandle;   // the viewport it marks
    std::string clippedViewportHandle;  // the viewport of Layout2
    std::string clipHandle;             // its clip boundary
    std::string reactorHandle;          // the mark's persistent reactor
};

// Fills a new drawing: Layout1 with its paper viewport and two floating viewports (one
// twisted) and a mark; Layout2 with its paper viewport, a viewport clipped by a closed
// polyline, and a second mark; a line and a circle in model space.
RichDrawing buildRichDrawing(AcDbDatabase* db);

std::string handleText(AcDbObjectId id);

}  // namespace dxftest
