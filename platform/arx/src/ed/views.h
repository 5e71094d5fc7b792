// The viewports the editor shows and where their views live in the drawing database.
//
// - The tiled model viewport (TILEMODE 1) is the first "*Active" record of the VPORT table;
//   CVPORT is 2.
// - The current layout is the one whose block is *Paper_Space. Its paper-space viewport is
//   the first AcDbViewport of that block (CVPORT 1); the others are floating viewports,
//   numbered by their viewport id (2 and up) while they are on and their layout is current,
//   -1 otherwise.
// - The viewport the layout last made active (AcDbLayout::lastActiveViewportId) says
//   whether paper space or a floating viewport (model space) is current in that layout.
//
// Everything is read from and written to the database each time, so that a change made by
// a module (AcDbViewport::setViewDirection, setOff, ...) is seen at once.
#pragma once
#include <string>
#include <vector>

#include "acadstrc.h"
#include "dbid.h"
#include "ed/view_transform.h"

class AcDbDatabase;

namespace arx::views {

enum class ViewportKind { Tiled, PaperSpace, Floating };

inline constexpr int kPaperSpaceNumber = 1;
inline constexpr int kTiledNumber = 2;

// A viewport and its view as read from the database. For a layout viewport `frame` is its
// rectangle on the sheet; for the tiled viewport the frame has the size of the view (width
// and height in DCS) about the origin, so that aspect() holds for every kind.
struct Viewport {
    ViewportKind kind = ViewportKind::Tiled;
    AcDbObjectId id;
    int number = -1;
    bool on = true;
    bool locked = false;
    view::FloatingViewport frame;

    view::ViewRecord& view() { return frame.view; }
    const view::ViewRecord& view() const { return frame.view; }
    double aspect() const { return frame.height > 0.0 ? frame.width / frame.height : 1.0; }
};

// Reads a VPORT record or an AcDbViewport. eWrongObjectType for anything else.
Acad::ErrorStatus readViewport(AcDbObjectId id, Viewport& out);
// Writes the view (and, for the tiled viewport, the width that keeps its aspect) back.
Acad::ErrorStatus writeView(const Viewport& viewport);

// The viewport the editor works in, and the model-space one: the tiled viewport, the active
// floating viewport, or in paper space the floating viewport MSPACE would return to
// (eNotApplicable when the layout has none that is on).
Acad::ErrorStatus activeViewport(AcDbDatabase* db, Viewport& out);
Acad::ErrorStatus currentModelViewport(AcDbDatabase* db, Viewport& out);
// CVPORT: 2 in the Model tab, 1 in a layout's paper space, the floating viewport's number.
int currentViewportNumber(AcDbDatabase* db);
// Makes a viewport current by its CVPORT number. In a layout, 1 is paper space and a number
// of a floating viewport that is on enters it; in the Model tab only 2. eInvalidInput else.
Acad::ErrorStatus setCurrentViewportNumber(AcDbDatabase* db, int number);

// TILEMODE. Going to a layout makes sure it has its paper-space viewport.
bool isTiled(AcDbDatabase* db);
Acad::ErrorStatus setTiled(AcDbDatabase* db, bool tiled);
// PSPACE and MSPACE in the current layout. Entering model space picks the floating viewport
// last active, or the first that is on; eNotApplicable when none is on.
Acad::ErrorStatus enterPaperSpace(AcDbDatabase* db);
Acad::ErrorStatus enterModelSpace(AcDbDatabase* db);
bool inFloatingViewport(AcDbDatabase* db);

// Layouts.
AcDbObjectId currentLayoutId(AcDbDatabase* db);
AcDbObjectId modelLayoutId(AcDbDatabase* db);
AcDbObjectId findLayout(AcDbDatabase* db, const std::string& name);  // any case; null if none
std::string layoutName(AcDbObjectId layoutId);
std::vector<std::string> layoutNames(AcDbDatabase* db);  // in tab order, "Model" first
bool isModelLayout(AcDbObjectId layoutId);
// Makes a layout current (the Model layout sets TILEMODE 1, any other TILEMODE 0).
Acad::ErrorStatus setCurrentLayout(AcDbDatabase* db, AcDbObjectId layoutId);
// A new layout with its own paper-space block, last in tab order. eDuplicateKey when the
// name is taken, eInvalidInput when it is not a valid name.
Acad::ErrorStatus createLayout(AcDbDatabase* db, const std::string& name, AcDbObjectId& layoutId);
// "LayoutN" with the smallest N not in use.
std::string nextLayoutName(AcDbDatabase* db);
// The paper layout that takes over when this one goes: the next in tab order, else the one
// before; null when it is the only paper layout.
AcDbObjectId neighbourLayout(AcDbDatabase* db, AcDbObjectId layoutId);
// Erases a paper layout with its block and all drawn on it. When its block is the current
// paper space, `successor` takes that role first (and becomes the current layout when a layout
// was current). eNotApplicable for the Model layout or without a successor.
Acad::ErrorStatus deleteLayout(AcDbDatabase* db, AcDbObjectId layoutId, AcDbObjectId successor);
// Renames a paper layout (its dictionary key and its name). eInvalidInput for a name a layout
// cannot have, eDuplicateKey when another layout has it (any case), eNotApplicable for Model.
Acad::ErrorStatus renameLayout(AcDbDatabase* db, AcDbObjectId layoutId, const std::string& newName);

// The viewports of a layout: its paper-space viewport (made when create is set and it has
// none) and its floating viewports in drawing order.
AcDbObjectId paperSpaceViewport(AcDbDatabase* db, AcDbObjectId layoutId, bool create);
std::vector<AcDbObjectId> floatingViewports(AcDbObjectId layoutId);

// A new floating viewport in the current layout (which gets its paper-space viewport first
// when it has none), on, with the next free id and a plan view as high as the viewport;
// the caller aims it (MVIEW zooms it to the model's extents).
Acad::ErrorStatus addFloatingViewport(AcDbDatabase* db, const AcGePoint3d& center, double width, double height,
                                      AcDbObjectId& viewportId);

// Gives the viewports of the current layout their numbers (and others -1) and keeps the
// database's current space in step with TILEMODE and MSPACE/PSPACE. Called whenever the
// editor looks at its views; cheap when nothing changed.
void refresh(AcDbDatabase* db);

// The working database, or null.
AcDbDatabase* workingDatabase();

}  // namespace arx::views
