// Shared ground of the association tests: the stand-in host running in this process with the
// module's classes registered and its state (settings, one document record per drawing), a
// layout with floating viewports, and marks associated with them as the make command leaves
// them.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"
#include "shell/document_registry.h"

namespace assoctest {

// What the command line received since the last take.
std::string takePrinted();

// A floating viewport's frame on the sheet and its view.
struct ViewportFrame {
    AcGePoint3d center{150.0, 100.0, 0.0};
    double width = 200.0;
    double height = 100.0;
    AcGeVector3d direction = AcGeVector3d::kZAxis;
    AcGePoint3d target;
    AcGePoint2d viewCenter{500.0, 400.0};
    double viewHeight = 1000.0;
    double twist = 0.0;
};

class AssocHostTest : public testing::Test {
protected:
    // A new drawing (its record current) in its first layout.
    void SetUp() override;
    void TearDown() override;

    kestra::DocumentState& state();
    AcDbDatabase* drawing() const;
    // A floating viewport of the current layout; paper space stays current.
    AcDbObjectId makeViewport(const ViewportFrame& frame = ViewportFrame());
    // Makes the viewport the active one with its model space current.
    void activate(AcDbObjectId viewportId);
    // A polygon inside the viewport's frame on the sheet, made its clip boundary.
    void clipViewport(AcDbObjectId viewportId, const ViewportFrame& frame);
    // Runs the command line on what the user types (one answer a line) until it ends.
    void typed(const std::string& text);
    // A mark of the viewport appended to model space, filled from the viewport, but not
    // associated.
    AcDbObjectId makeMark(AcDbObjectId viewportId);
    // A mark associated through every link: index pair, partner handle record, reactors.
    AcDbObjectId makeAssociatedMark(AcDbObjectId viewportId);
    // The creation step of the make command run as the command runs it for the viewport made
    // current (the mark gets its layout hyperlink too, and its outline block reference when the
    // viewport is clipped); paper space is current afterwards. Returns the newest mark.
    AcDbObjectId markViewport(AcDbObjectId viewportId);
    AcDbObjectId lastMark();
    // The model corners the viewport shows now (it is made current to see them).
    kestra::Corners shownCorners(AcDbObjectId viewportId);
    // The entities of the block of the mark's outline block reference (none without one).
    std::vector<AcDbObjectId> outlineContent(AcDbObjectId markId);
    // The target and height of the viewport's legacy view record.
    std::pair<AcGePoint3d, double> viewRecordOf(AcDbObjectId viewportId);
    AcDbObjectId modelSpaceId();
    // A line in model space.
    AcDbObjectId appendLine();
    // A new layer with the given state word.
    AcDbObjectId makeLayer(const char* name, Adesk::UInt16 word = 0);
    void moveToLayer(AcDbObjectId entityId, AcDbObjectId layerId);
    // Model-space entities of the class.
    int countInModelSpace(const char* className);
    bool isErased(AcDbObjectId id);
    std::string handleOf(AcDbObjectId id);
    void setShort(const char* name, int value);
};

}  // namespace assoctest
