// The host's view commands: MVIEW, MSPACE, PSPACE, ZOOM, DVIEW, UCS, LAYOUT and SETVAR. Each asks
// one question a prompt, as the host does, and changes the views kept in the drawing.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>

#include "AcDbLMgr.h"
#include "acedads.h"
#include "adscodes.h"
#include "ap/document.h"
#include "ap/document_manager.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbmain.h"
#include "db/symbol_lookup.h"
#include "ed/command_processor.h"
#include "ed/object_selection.h"
#include "ed/sysvars.h"
#include "ed/views.h"
#include "ed/views_edit.h"
#include "ed/views_input.h"
#include "ed/views_mview.h"
#include "ed/views_trans.h"
#include "ed/views_ucs.h"
#include "host_command_sets.h"
#include "lisp/rtos.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;
using views::CoordSystem;
using views::ViewAnswer;
using views::Viewport;
using views::ViewportKind;

constexpr const char* kNotInPerspective = "** That command may not be invoked in a perspective view **";
constexpr const char* kNotInPaperSpace = "** That command may not be invoked in paper space **";
constexpr const char* kNoModelViewports = "There are no active model space viewports.";
constexpr const char* kPositive = "Value must be positive and nonzero.";
constexpr double kDegreesPerRadian = 57.29577951308232;

// ---- small helpers -----------------------------------------------------------------------

AcDbDatabase* database() { return views::workingDatabase(); }

std::string linear(AcDbDatabase* db, double value)
{
    lisp::UnitSettings units;
    units.mode = db->lunits();
    units.precision = db->luprec();
    std::string out;
    if (lisp::formatLinear(value, units, out)) return out;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

std::string degrees(AcDbDatabase* db, double radians)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::max(0, static_cast<int>(db->auprec())),
                  radians * kDegreesPerRadian);
    return buffer;
}

std::string pointText(AcDbDatabase* db, const AcGePoint3d& p)
{
    return linear(db, p.x) + "," + linear(db, p.y) + "," + linear(db, p.z);
}

AcGePoint3d toWorld(AcDbDatabase* db, const ads_point p)
{
    AcGePoint3d out(p[0], p[1], p[2]);
    views::transformPoint(db, CoordSystem::Kind::Ucs, CoordSystem::Kind::Wcs, out);
    return out;
}

// Asks for a point; false (with the status) unless one was given.
bool askPoint(const char* prompt, ads_point out, int& status)
{
    status = acedGetPoint(nullptr, prompt, out);
    return status == RTNORM;
}

// ---- MSPACE, PSPACE ------------------------------------------------------------------------

CommandOutcome modelSpace()
{
    AcDbDatabase* db = database();
    if (db == nullptr) return CommandOutcome::Failed;
    if (views::isTiled(db)) return failWith(kNotInModelTab);
    if (views::inFloatingViewport(db)) return failWith("Already in model space.");
    if (views::enterModelSpace(db) != Acad::eOk) return failWith(kNoModelViewports);
    return CommandOutcome::Ended;
}

CommandOutcome paperSpace()
{
    AcDbDatabase* db = database();
    if (db == nullptr) return CommandOutcome::Failed;
    if (views::isTiled(db)) return failWith(kNotInModelTab);
    if (!views::inFloatingViewport(db)) return failWith("Already in paper space.");
    return views::enterPaperSpace(db) == Acad::eOk ? CommandOutcome::Ended : CommandOutcome::Failed;
}

// ---- MVIEW ---------------------------------------------------------------------------------

// The floating viewports chosen at "Select objects: " (a clip boundary stands for its
// viewport; other objects are dropped).
std::vector<AcDbObjectId> selectViewports(AcDbDatabase* db, bool& cancelled)
{
    ed::EntityList chosen;
    cancelled = ed::selectObjects(ed::SelectionRules(), chosen) == RTCAN;
    return cancelled ? std::vector<AcDbObjectId>() : views::viewportsSelected(db, chosen);
}

CommandOutcome switchViewports(AcDbDatabase* db, bool on)
{
    bool cancelled = false;
    for (AcDbObjectId id : selectViewports(db, cancelled)) views::setViewportOn(id, on);
    return cancelled ? CommandOutcome::Cancelled : CommandOutcome::Ended;
}

CommandOutcome lockViewports(AcDbDatabase* db)
{
    char answer[32] = {};
    acedInitGet(RSG_NONULL, "ON OFF");
    int status = acedGetKword("Viewport View Locking [ON/OFF]: ", answer);
    if (status != RTNORM) return outcomeOf(status);
    const bool lock = std::string(answer) == "ON";
    bool cancelled = false;
    for (AcDbObjectId id : selectViewports(db, cancelled)) views::setViewportLocked(id, lock);
    return cancelled ? CommandOutcome::Cancelled : CommandOutcome::Ended;
}

CommandOutcome reportMade(Acad::ErrorStatus es)
{
    if (es == Acad::eOk) return CommandOutcome::Ended;
    return failWith(es == Acad::eInvalidInput ? "Invalid viewport size." : "The viewport could not be made.");
}

CommandOutcome rectangularViewport(AcDbDatabase* db, const ads_point first)
{
    ads_point second;
    int status = 0;
    if (!askPoint("Specify opposite corner: ", second, status)) return outcomeOf(status == RTNONE ? RTERROR : status);
    AcDbObjectId id;
    return reportMade(views::makeRectangularViewport(db, toWorld(db, first), toWorld(db, second), id));
}

// Fit: a viewport over what paper space shows.
CommandOutcome fittedViewport(AcDbDatabase* db)
{
    Viewport paper;
    if (views::readViewport(views::paperSpaceViewport(db, views::currentLayoutId(db), true), paper) != Acad::eOk)
        return CommandOutcome::Failed;
    const AcGePoint2d c = paper.view().viewCenter;
    const double h = paper.view().viewHeight * 0.5, w = h * paper.aspect();
    AcDbObjectId id;
    return reportMade(
        views::makeRectangularViewport(db, AcGePoint3d(c.x - w, c.y - h, 0.0), AcGePoint3d(c.x + w, c.y + h, 0.0), id));
}

CommandOutcome objectViewport(AcDbDatabase* db)
{
    ViewAnswer a = views::askViewAnswer("Select object to clip viewport: ", "Last");
    if (a.kind == ViewAnswer::Kind::Cancel) return CommandOutcome::Cancelled;
    AcDbObjectId boundary;
    if (a.kind == ViewAnswer::Kind::Keyword) boundary = views::lastEntityOfSpace(db);
    if (a.kind == ViewAnswer::Kind::Point) boundary = ed::entityAt(db, a.point);
    AcDbObjectId id;
    if (boundary.isNull() || views::makeClippedViewport(db, boundary, id) != Acad::eOk)
        return failWith(kNotAClosedCurve);
    return CommandOutcome::Ended;
}

CommandOutcome polygonalViewport(AcDbDatabase* db)
{
    std::vector<AcGePoint3d> points;
    const int status = askPolygon(db, points);
    if (status != RTNORM) return status == RTNONE ? failWith("Invalid viewport size.") : outcomeOf(status);
    AcDbObjectId id;
    return reportMade(views::makePolygonalViewport(db, points, id));
}

CommandOutcome mviewOption(AcDbDatabase* db)
{
    ads_point first;
    acedInitGet(0, "ON OFF Fit Lock Object Polygonal");
    int status =
        acedGetPoint(nullptr, "Specify corner of viewport or [ON/OFF/Fit/Lock/Object/Polygonal] <Fit>: ", first);
    if (status == RTNORM) return rectangularViewport(db, first);
    if (status == RTNONE) return fittedViewport(db);
    if (status != RTKWORD) return outcomeOf(status);
    char keyword[32] = {};
    acedGetInput(keyword);
    const std::string option = keyword;
    if (option == "ON" || option == "OFF") return switchViewports(db, option == "ON");
    if (option == "Lock") return lockViewports(db);
    if (option == "Object") return objectViewport(db);
    if (option == "Polygonal") return polygonalViewport(db);
    return fittedViewport(db);
}

// MVIEW works on the sheet: from a floating viewport it goes to paper space for the
// command and back afterwards when that viewport is still on.
CommandOutcome makeViewports()
{
    AcDbDatabase* db = database();
    if (db == nullptr) return CommandOutcome::Failed;
    if (views::isTiled(db)) return failWith(kNotInModelTab);
    const int returnTo = views::inFloatingViewport(db) ? views::currentViewportNumber(db) : 0;
    if (returnTo != 0) views::enterPaperSpace(db);
    CommandOutcome outcome = mviewOption(db);
    if (returnTo != 0) views::setCurrentViewportNumber(db, returnTo);
    views::refresh(db);
    return outcome;
}

// ---- ZOOM ----------------------------------------------------------------------------------

// ZOOM changes the current viewport, or paper space when a locked floating viewport is
// current.
Acad::ErrorStatus zoomedViewport(AcDbDatabase* db, Viewport& vp)
{
    Acad::ErrorStatus es = views::activeViewport(db, vp);
    if (es != Acad::eOk || vp.kind != ViewportKind::Floating || !vp.locked) return es;
    return views::readViewport(views::paperSpaceViewport(db, views::currentLayoutId(db), true), vp);
}

CommandOutcome applyZoom(AcDbDatabase* db, Viewport& vp, Acad::ErrorStatus edit)
{
    if (edit != Acad::eOk) return failWith("*Invalid*");
    return views::applyView(db, vp) == Acad::eOk ? CommandOutcome::Ended : CommandOutcome::Failed;
}

CommandOutcome zoomByScale(AcDbDatabase* db, Viewport& vp, const ViewAnswer& a)
{
    if (!(a.number > 0.0)) return failWith(kPositive);
    if (a.scale == ViewAnswer::Scale::Plain) {
        AcGePoint3d low, high;
        views::spaceLimits(db, vp.kind == ViewportKind::PaperSpace, low, high);
        const double full = high.y - low.y > 0.0 ? high.y - low.y : vp.view().viewHeight;
        vp.view().viewHeight = full / a.number;
        return applyZoom(db, vp, Acad::eOk);
    }
    const bool paper = a.scale == ViewAnswer::Scale::Paper && vp.kind == ViewportKind::Floating;
    return applyZoom(db, vp, paper ? views::zoomPaperScale(vp, a.number) : views::zoomFactor(vp, a.number));
}

AcGePoint3d viewCenterInWorld(const Viewport& vp)
{
    AcGePoint3d c(vp.view().viewCenter.x, vp.view().viewCenter.y, 0.0);
    AcGeMatrix3d m;
    if (view::dcsToWcs(vp.view(), m) == Acad::eOk) c.transformBy(m);
    return c;
}

CommandOutcome zoomCenter(AcDbDatabase* db, Viewport& vp)
{
    ads_point p;
    int status = acedGetPoint(nullptr, "Specify center point: ", p);
    if (status != RTNORM && status != RTNONE) return outcomeOf(status);
    const AcGePoint3d center = status == RTNORM ? toWorld(db, p) : viewCenterInWorld(vp);
    const std::string prompt = "Enter magnification or height <" + linear(db, vp.view().viewHeight) + ">: ";
    ViewAnswer a = views::askViewAnswer(prompt.c_str(), "");
    if (a.kind == ViewAnswer::Kind::Cancel) return CommandOutcome::Cancelled;
    double height = vp.view().viewHeight;
    if (a.kind == ViewAnswer::Kind::Number) {
        if (!(a.number > 0.0)) return failWith(kPositive);
        if (a.scale == ViewAnswer::Scale::Plain) height = a.number;
        if (a.scale == ViewAnswer::Scale::Current) height /= a.number;
        if (a.scale == ViewAnswer::Scale::Paper)
            height = (vp.kind == ViewportKind::Floating ? vp.frame.height : height) / a.number;
    } else if (a.kind != ViewAnswer::Kind::Enter) {
        return failWith("*Invalid*");
    }
    return applyZoom(db, vp, views::zoomCenter(vp, center, height));
}

CommandOutcome zoomWindow(AcDbDatabase* db, Viewport& vp, const ads_point* given)
{
    ads_point first, second;
    int status = RTNORM;
    if (given != nullptr) first[0] = (*given)[0], first[1] = (*given)[1], first[2] = (*given)[2];
    else if (!askPoint("Specify first corner: ", first, status)) return outcomeOf(status == RTNONE ? RTERROR : status);
    if (!askPoint("Specify opposite corner: ", second, status)) return outcomeOf(status == RTNONE ? RTERROR : status);
    return applyZoom(db, vp, views::zoomWindow(vp, toWorld(db, first), toWorld(db, second)));
}

CommandOutcome zoomExtents(AcDbDatabase* db, Viewport& vp, bool withLimits)
{
    const bool paper = vp.kind == ViewportKind::PaperSpace;
    const AcDbObjectId block = paper ? db->currentSpaceId() : arx::db::findRecord(db->blockTableId(), ACDB_MODEL_SPACE);
    AcGePoint3d low, high, limLow, limHigh;
    const bool any = views::blockExtents(block, low, high);
    views::spaceLimits(db, paper, limLow, limHigh);
    if (!any) low = limLow, high = limHigh;
    if (any && withLimits) {
        for (int i = 0; i < 3; ++i) {
            low[i] = std::min(low[i], limLow[i]);
            high[i] = std::max(high[i], limHigh[i]);
        }
    }
    return applyZoom(db, vp, views::zoomBox(vp, low, high));
}

CommandOutcome zoomPrevious(AcDbDatabase* db, Viewport& vp)
{
    return views::restorePreviousView(db, vp) == Acad::eOk ? CommandOutcome::Ended
                                                           : failWith("No previous view saved.");
}

CommandOutcome zoomOption(AcDbDatabase* db, Viewport& vp, const std::string& option)
{
    if (option == "All") return zoomExtents(db, vp, true);
    if (option == "Center") return zoomCenter(db, vp);
    if (option == "Extents") return zoomExtents(db, vp, false);
    if (option == "Previous") return zoomPrevious(db, vp);
    if (option == "Window") return zoomWindow(db, vp, nullptr);
    ViewAnswer a = views::askViewAnswer("Enter a scale factor (nX or nXP): ", "");
    if (a.kind == ViewAnswer::Kind::Cancel) return CommandOutcome::Cancelled;
    if (a.kind != ViewAnswer::Kind::Number) return failWith("Requires a distance, numberX, or option keyword.");
    return zoomByScale(db, vp, a);
}

CommandOutcome zoom()
{
    AcDbDatabase* db = database();
    Viewport vp;
    if (db == nullptr || zoomedViewport(db, vp) != Acad::eOk) return CommandOutcome::Failed;
    if (view::isPerspective(vp.view())) return failWith(kNotInPerspective);
    ViewAnswer a = views::askViewAnswer("Specify corner of window, enter a scale factor (nX or nXP), or\n"
                                        "[All/Center/Extents/Previous/Scale/Window] <real time>: ",
                                        "All Center Extents Previous Scale Window");
    switch (a.kind) {
    case ViewAnswer::Kind::Cancel: return CommandOutcome::Cancelled;
    case ViewAnswer::Kind::Enter: return CommandOutcome::Ended;  // real time needs a display
    case ViewAnswer::Kind::Point: {
        const ads_point first = {a.point.x, a.point.y, a.point.z};
        return zoomWindow(db, vp, &first);
    }
    case ViewAnswer::Kind::Number: return zoomByScale(db, vp, a);
    case ViewAnswer::Kind::Keyword: return zoomOption(db, vp, a.keyword);
    }
    return CommandOutcome::Failed;
}

// ---- DVIEW ---------------------------------------------------------------------------------

// The question of a DVIEW option that takes a number with a default; RTNORM with the value,
// or the prompt's status (RTKWORD with `keyword` set when keywords were given).
int askNumber(const std::string& prompt, double current, double& value, const char* keywords = nullptr,
              std::string* keyword = nullptr)
{
    acedInitGet(0, keywords);
    int status = acedGetReal(prompt.c_str(), &value);
    if (status == RTNONE) {
        value = current;
        return RTNORM;
    }
    if (status == RTKWORD && keyword != nullptr) {
        char text[32] = {};
        acedGetInput(text);
        *keyword = text;
    }
    return status;
}

class DviewSession {
public:
    DviewSession(AcDbDatabase* db, Viewport vp) : db_(db), vp_(std::move(vp)) {}

    CommandOutcome run()
    {
        if (!selectObjects()) return CommandOutcome::Cancelled;
        for (;;) {
            char option[32] = {};
            acedInitGet(0, "Distance Zoom TWist CLip Off Undo X Exit");
            const int status = acedGetKword("Enter option [Distance/Zoom/TWist/CLip/Off/Undo]: ", option);
            if (status == RTCAN) return CommandOutcome::Cancelled;
            const std::string chosen = option;
            if (status == RTNONE || chosen == "X" || chosen == "Exit") return CommandOutcome::Ended;
            if (apply(chosen) == RTCAN) return CommandOutcome::Cancelled;
        }
    }

private:
    // DVIEW's preview objects: a headless host draws none, so only Enter matters.
    bool selectObjects()
    {
        for (;;) {
            ViewAnswer a = views::askViewAnswer("Select objects or <use DVIEWBLOCK>: ", "");
            if (a.kind == ViewAnswer::Kind::Cancel) return false;
            if (a.kind == ViewAnswer::Kind::Enter) return true;
        }
    }

    int apply(const std::string& option)
    {
        if (option == "Undo") return undo();
        Viewport changed = vp_;
        int status = RTNORM;
        if (option == "TWist") status = twist(changed);
        if (option == "Distance") status = distance(changed);
        if (option == "Zoom") status = zoomLens(changed);
        if (option == "CLip") status = clip(changed);
        if (option == "Off") views::setPerspectiveOff(changed);
        if (status == RTNORM) commit(changed);
        return status;
    }

    void commit(const Viewport& changed)
    {
        if (views::applyView(db_, changed) != Acad::eOk) {
            say("*Invalid*");
            return;
        }
        history_.push_back(vp_.view());
        vp_ = changed;
    }

    static int refuse(const char* message)
    {
        say(message);
        return RTERROR;
    }

    int undo()
    {
        if (history_.empty()) return RTNORM;
        Viewport back = vp_;
        back.view() = history_.back();
        history_.pop_back();
        if (views::writeView(back) == Acad::eOk) vp_ = back;
        return RTNORM;
    }

    int twist(Viewport& vp)
    {
        double deg = 0.0;
        int status = askNumber("Specify view twist angle <" + degrees(db_, vp.view().twist) + ">: ",
                               vp.view().twist * kDegreesPerRadian, deg);
        if (status == RTNORM) views::setTwist(vp, deg / kDegreesPerRadian);
        return status;
    }

    int distance(Viewport& vp)
    {
        double d = 0.0;
        int status = askNumber("Specify new camera-target distance <" + linear(db_, views::cameraDistance(vp)) + ">: ",
                               views::cameraDistance(vp), d);
        if (status == RTNORM && views::setCameraDistance(vp, d) != Acad::eOk) return refuse(kPositive);
        return status;
    }

    int zoomLens(Viewport& vp)
    {
        double value = 0.0;
        if (view::isPerspective(vp.view())) {
            int status = askNumber(
                "Specify lens length <" + linear(db_, vp.view().lensLength) + "mm>: ", vp.view().lensLength, value);
            if (status == RTNORM && views::setLensLength(vp, value) != Acad::eOk) return refuse(kPositive);
            return status;
        }
        int status = askNumber("Specify zoom scale factor <1>: ", 1.0, value);
        if (status == RTNORM && views::zoomFactor(vp, value) != Acad::eOk) return refuse(kPositive);
        return status;
    }

    int clip(Viewport& vp)
    {
        char option[16] = {};
        acedInitGet(0, "Back Front Off");
        int status = acedGetKword("Enter clipping option [Back/Front/Off] <Off>: ", option);
        if (status == RTCAN) return status;
        const std::string chosen = option;
        if (chosen == "Front") return clipFront(vp);
        if (chosen == "Back") return clipBack(vp);
        views::setClipping(vp, view::kFrontClip | view::kBackClip, false);
        return RTNORM;
    }

    int clipFront(Viewport& vp)
    {
        double d = 0.0;
        std::string keyword;
        int status = askNumber("Specify distance from target or [set to Eye(camera)/ON/OFF] <" +
                                   linear(db_, vp.view().frontClip) + ">: ",
                               vp.view().frontClip, d, "Eye ON OFF", &keyword);
        if (status == RTNORM) views::setFrontClip(vp, d);
        if (status == RTKWORD) {
            if (keyword == "Eye") views::setFrontClipAtEye(vp);
            else views::setClipping(vp, view::kFrontClip, keyword == "ON");
            status = RTNORM;
        }
        return status;
    }

    int clipBack(Viewport& vp)
    {
        double d = 0.0;
        std::string keyword;
        int status = askNumber("Specify distance from target or [ON/OFF] <" + linear(db_, vp.view().backClip) + ">: ",
                               vp.view().backClip, d, "ON OFF", &keyword);
        if (status == RTNORM) views::setBackClip(vp, d);
        if (status == RTKWORD) {
            views::setClipping(vp, view::kBackClip, keyword == "ON");
            status = RTNORM;
        }
        return status;
    }

    AcDbDatabase* db_;
    Viewport vp_;
    std::vector<view::ViewRecord> history_;
};

CommandOutcome dview()
{
    AcDbDatabase* db = database();
    Viewport vp;
    if (db == nullptr || views::activeViewport(db, vp) != Acad::eOk) return CommandOutcome::Failed;
    if (vp.kind == ViewportKind::PaperSpace) return failWith(kNotInPaperSpace);
    return DviewSession(db, vp).run();
}

// ---- UCS -----------------------------------------------------------------------------------

CommandOutcome setUcs(AcDbDatabase* db, const AcGePoint3d& origin, const AcGeVector3d& x, const AcGeVector3d& y)
{
    views::UcsFrame frame;
    if (views::frameOf(origin, x, y, frame) != Acad::eOk) return failWith("Invalid UCS axes.");
    return views::setCurrentUcs(db, frame) == Acad::eOk ? CommandOutcome::Ended : CommandOutcome::Failed;
}

// Asks for a point (UCS) with a default; the answer in WCS.
bool askUcsPoint(AcDbDatabase* db, const std::string& prompt, const AcGePoint3d& fallbackUcs, AcGePoint3d& wcs,
                 int& status)
{
    ads_point p;
    status = acedGetPoint(nullptr, prompt.c_str(), p);
    if (status == RTNONE) p[0] = fallbackUcs.x, p[1] = fallbackUcs.y, p[2] = fallbackUcs.z, status = RTNORM;
    if (status != RTNORM) return false;
    wcs = toWorld(db, p);
    return true;
}

CommandOutcome ucsOrigin(AcDbDatabase* db, const std::string& prompt)
{
    const views::UcsFrame ucs = views::currentUcs(db);
    AcGePoint3d origin;
    int status = 0;
    if (!askUcsPoint(db, prompt, AcGePoint3d::kOrigin, origin, status)) return outcomeOf(status);
    return setUcs(db, origin, ucs.xAxis, ucs.yAxis);
}

CommandOutcome ucsZAxis(AcDbDatabase* db)
{
    AcGePoint3d origin, onZ;
    int status = 0;
    if (!askUcsPoint(db, "Specify new origin point <0,0,0>: ", AcGePoint3d::kOrigin, origin, status))
        return outcomeOf(status);
    AcGePoint3d zDefault = origin + views::currentUcs(db).xAxis.crossProduct(views::currentUcs(db).yAxis);
    AcGePoint3d zShown = zDefault;
    zShown.transformBy(views::wcsToUcs(views::currentUcs(db)));
    const std::string prompt = "Specify point on positive portion of Z-axis <" + pointText(db, zShown) + ">: ";
    if (!askUcsPoint(db, prompt, zShown, onZ, status)) return outcomeOf(status);
    const AcGeVector3d z = onZ - origin;
    if (z.isZeroLength()) return failWith("Invalid UCS axes.");
    const AcGeMatrix3d plane = AcGeMatrix3d::planeToWorld(z);
    AcGePoint3d o;
    AcGeVector3d x, y, zz;
    plane.getCoordSystem(o, x, y, zz);
    return setUcs(db, origin, x, y);
}

CommandOutcome ucsThreePoint(AcDbDatabase* db)
{
    AcGePoint3d origin, onX, onY;
    int status = 0;
    if (!askUcsPoint(db, "Specify new origin point <0,0,0>: ", AcGePoint3d::kOrigin, origin, status))
        return outcomeOf(status);
    const AcGeMatrix3d back = views::wcsToUcs(views::currentUcs(db));
    const views::UcsFrame ucs = views::currentUcs(db);
    AcGePoint3d xShown = origin + ucs.xAxis, yShown = origin + ucs.yAxis;
    xShown.transformBy(back);
    yShown.transformBy(back);
    if (!askUcsPoint(db, "Specify point on positive portion of X-axis <" + pointText(db, xShown) + ">: ", xShown, onX,
                     status))
        return outcomeOf(status);
    if (!askUcsPoint(db, "Specify point on positive-Y portion of the UCS XY plane <" + pointText(db, yShown) + ">: ",
                     yShown, onY, status))
        return outcomeOf(status);
    return setUcs(db, origin, onX - origin, onY - origin);
}

// View: the XY plane faces the viewer, the origin stays.
CommandOutcome ucsView(AcDbDatabase* db)
{
    Viewport vp;
    AcGeMatrix3d toWorld;
    if (views::activeViewport(db, vp) != Acad::eOk || view::dcsToWcs(vp.view(), toWorld) != Acad::eOk)
        return CommandOutcome::Failed;
    AcGePoint3d o;
    AcGeVector3d x, y, z;
    toWorld.getCoordSystem(o, x, y, z);
    return setUcs(db, views::currentUcs(db).origin, x, y);
}

CommandOutcome ucsRotate(AcDbDatabase* db, char axis)
{
    const std::string prompt = std::string("Specify rotation angle about ") + axis + " axis <90>: ";
    double deg = 0.0;
    int status = askNumber(prompt, 90.0, deg);
    if (status != RTNORM) return outcomeOf(status);
    const views::UcsFrame ucs = views::currentUcs(db);
    const AcGeVector3d z = ucs.xAxis.crossProduct(ucs.yAxis);
    const AcGeVector3d around = axis == 'X' ? ucs.xAxis : (axis == 'Y' ? ucs.yAxis : z);
    AcGeVector3d x = ucs.xAxis, y = ucs.yAxis;
    x.rotateBy(deg / kDegreesPerRadian, around);
    y.rotateBy(deg / kDegreesPerRadian, around);
    return setUcs(db, ucs.origin, x, y);
}

CommandOutcome ucsNew(AcDbDatabase* db)
{
    ads_point p;
    acedInitGet(0, "ZAxis 3point 3 View X Y Z");
    int status = acedGetPoint(nullptr, "Specify origin of new UCS or [ZAxis/3point/View/X/Y/Z] <0,0,0>: ", p);
    if (status == RTNONE) return CommandOutcome::Ended;
    if (status == RTNORM) {
        const views::UcsFrame ucs = views::currentUcs(db);
        return setUcs(db, toWorld(db, p), ucs.xAxis, ucs.yAxis);
    }
    if (status != RTKWORD) return outcomeOf(status);
    char keyword[16] = {};
    acedGetInput(keyword);
    const std::string option = keyword;
    if (option == "ZAxis") return ucsZAxis(db);
    if (option == "3point" || option == "3") return ucsThreePoint(db);
    if (option == "View") return ucsView(db);
    return ucsRotate(db, option[0]);
}

CommandOutcome ucs()
{
    AcDbDatabase* db = database();
    if (db == nullptr) return CommandOutcome::Failed;
    char option[16] = {};
    acedInitGet(0, "New Move Prev World Origin ZAxis 3point 3 View X Y Z");
    int status = acedGetKword("Enter an option [New/Move/Prev/World] <World>: ", option);
    if (status == RTCAN) return CommandOutcome::Cancelled;
    const std::string chosen = status == RTNONE ? "World" : option;
    if (chosen == "World") return setUcs(db, AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis);
    if (chosen == "Prev") {
        return views::restorePreviousUcs(db) == Acad::eOk ? CommandOutcome::Ended : failWith("No previous UCS saved.");
    }
    if (chosen == "New") return ucsNew(db);
    if (chosen == "Move" || chosen == "Origin") return ucsOrigin(db, "Specify new origin point <0,0,0>: ");
    if (chosen == "ZAxis") return ucsZAxis(db);
    if (chosen == "3point" || chosen == "3") return ucsThreePoint(db);
    if (chosen == "View") return ucsView(db);
    return ucsRotate(db, chosen[0]);
}

// ---- LAYOUT --------------------------------------------------------------------------------

std::string currentLayoutName(AcDbDatabase* db)
{
    return views::layoutName(views::isTiled(db) ? views::modelLayoutId(db) : views::currentLayoutId(db));
}

AcDbLayoutManager* layoutManager() { return acdbHostApplicationServices()->layoutManager(); }

CommandOutcome newLayout(AcDbDatabase* db)
{
    const std::string suggested = views::nextLayoutName(db);
    std::string name;
    if (!askText(("Enter name of new layout <" + suggested + ">: ").c_str(), name)) return CommandOutcome::Cancelled;
    if (name.empty()) name = suggested;
    AcDbObjectId id;
    AcDbObjectId block;
    switch (layoutManager()->createLayout(name.c_str(), id, block, db)) {
    case Acad::eOk: return CommandOutcome::Ended;
    case Acad::eDuplicateKey: say("A layout named \"" + name + "\" already exists."); break;
    case Acad::eInvalidInput: say("Invalid layout name."); break;
    default: say("The layout could not be made."); break;
    }
    return CommandOutcome::Failed;
}

// Asks for an existing layout, the current one by default; null (with the outcome) when none
// was named.
AcDbObjectId askLayout(AcDbDatabase* db, const std::string& prompt, CommandOutcome& outcome)
{
    std::string name;
    if (!askText((prompt + " <" + currentLayoutName(db) + ">: ").c_str(), name)) {
        outcome = CommandOutcome::Cancelled;
        return AcDbObjectId();
    }
    if (name.empty()) name = currentLayoutName(db);
    const AcDbObjectId id = views::findLayout(db, name);
    if (id.isNull()) outcome = failWith(("No layout named \"" + name + "\" found.").c_str());
    return id;
}

CommandOutcome setLayout(AcDbDatabase* db)
{
    std::string name;
    if (!askText(("Enter layout to make current <" + currentLayoutName(db) + ">: ").c_str(), name))
        return CommandOutcome::Cancelled;
    if (name.empty()) return CommandOutcome::Ended;
    const AcDbObjectId id = views::findLayout(db, name);
    if (id.isNull()) return failWith(("No layout named \"" + name + "\" found.").c_str());
    return layoutManager()->setCurrentLayoutId(id) == Acad::eOk ? CommandOutcome::Ended : CommandOutcome::Failed;
}

CommandOutcome deleteLayout(AcDbDatabase* db)
{
    CommandOutcome outcome = CommandOutcome::Failed;
    const AcDbObjectId id = askLayout(db, "Enter name of layout to delete", outcome);
    if (id.isNull()) return outcome;
    if (views::isModelLayout(id)) return failWith("The Model tab cannot be deleted.");
    const std::string name = views::layoutName(id);
    switch (layoutManager()->deleteLayout(name.c_str())) {
    case Acad::eOk: say("Layout \"" + name + "\" deleted."); return CommandOutcome::Ended;
    case Acad::eNotApplicable: return failWith("The last layout cannot be deleted.");
    default: return failWith("The layout could not be deleted.");
    }
}

CommandOutcome renameLayout(AcDbDatabase* db)
{
    CommandOutcome outcome = CommandOutcome::Failed;
    const AcDbObjectId id = askLayout(db, "Enter layout to rename", outcome);
    if (id.isNull()) return outcome;
    if (views::isModelLayout(id)) return failWith("The Model tab cannot be renamed.");
    const std::string oldName = views::layoutName(id);
    std::string newName;
    if (!askText("Enter new layout name: ", newName)) return CommandOutcome::Cancelled;
    if (newName.empty() || newName == oldName) return CommandOutcome::Ended;
    switch (layoutManager()->renameLayout(oldName.c_str(), newName.c_str())) {
    case Acad::eOk: say("Layout \"" + oldName + "\" renamed to \"" + newName + "\"."); return CommandOutcome::Ended;
    case Acad::eDuplicateKey: return failWith(("A layout named \"" + newName + "\" already exists.").c_str());
    case Acad::eInvalidInput: return failWith("Invalid layout name.");
    default: return failWith("The layout could not be renamed.");
    }
}

CommandOutcome listLayouts(AcDbDatabase* db)
{
    say("Active Layout: " + currentLayoutName(db));
    say("Layout(s):");
    for (const std::string& name : views::layoutNames(db)) say("  " + name);
    return CommandOutcome::Ended;
}

CommandOutcome layout()
{
    AcDbDatabase* db = database();
    if (db == nullptr) return CommandOutcome::Failed;
    char option[16] = {};
    acedInitGet(0, "Delete New Rename Set ?");
    int status = acedGetKword("Enter layout option [Delete/New/Rename/Set/?] <set>: ", option);
    if (status == RTCAN) return CommandOutcome::Cancelled;
    const std::string chosen = status == RTNONE ? "Set" : option;
    if (chosen == "Delete") return deleteLayout(db);
    if (chosen == "New") return newLayout(db);
    if (chosen == "Rename") return renameLayout(db);
    if (chosen == "?") return listLayouts(db);
    return setLayout(db);
}

// ---- SETVAR --------------------------------------------------------------------------------

std::string valueText(AcDbDatabase* db, const ed::SysValue& v)
{
    switch (v.type) {
    case RTSHORT:
    case RTLONG: return std::to_string(v.integer);
    case RTREAL: return db ? linear(db, v.real) : std::to_string(v.real);
    case RTSTR: return "\"" + v.text + "\"";
    case RTPOINT: return linear(db, v.point[0]) + "," + linear(db, v.point[1]);
    default: return pointText(db, AcGePoint3d(v.point[0], v.point[1], v.point[2]));
    }
}

// A typed value in the variable's own type; false when it does not read as one.
bool parseValue(const std::string& text, const ed::SysValue& current, ed::SysValue& out)
{
    if (current.type == RTSTR) {
        out = ed::SysValue::ofString(text);
        return true;
    }
    ViewAnswer a;
    if (!views::parseViewAnswer(text, "", a) || a.scale != ViewAnswer::Scale::Plain) return false;
    if (current.type == RTPOINT || current.type == RT3DPOINT) {
        if (a.kind != ViewAnswer::Kind::Point) return false;
        out = ed::SysValue::ofPoint(a.point.x, a.point.y, a.point.z, current.type == RT3DPOINT);
        return true;
    }
    if (a.kind != ViewAnswer::Kind::Number) return false;
    if (current.type == RTREAL) {
        out = ed::SysValue::ofReal(a.number);
        return true;
    }
    if (a.number != std::floor(a.number)) return false;
    out = ed::SysValue::ofLong(static_cast<long>(a.number));
    return true;
}

CommandOutcome setVariable()
{
    std::string name;
    if (!askText("Enter variable name or [?]: ", name)) return CommandOutcome::Cancelled;
    if (name.empty()) return CommandOutcome::Ended;
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto& vars = ed::SysVars::instance();
    const std::optional<ed::SysValue> current = vars.get(name);
    if (!vars.isDefined(name) || !current)
        return failWith("Unknown variable name.  Type SETVAR ? for a list of variables.");
    AcDbDatabase* db = database();
    if (vars.isReadOnly(name)) {
        say(name + " = " + valueText(db, *current) + " (read only)");
        return CommandOutcome::Ended;
    }
    std::string text;
    if (!askText(("Enter new value for " + name + " <" + valueText(db, *current) + ">: ").c_str(), text))
        return CommandOutcome::Cancelled;
    if (text.empty()) return CommandOutcome::Ended;
    ed::SysValue value;
    if (!parseValue(text, *current, value) || !vars.set(name, value))
        return failWith(("Cannot set " + name + " to that value.").c_str());
    return CommandOutcome::Ended;
}

// The viewports of a drawing get their numbers as soon as it is current.
class NumberViewportsOnSwitch : public ap::DocumentListener {
public:
    void documentMadeCurrent(ap::Document* doc) override
    {
        if (doc != nullptr) views::refresh(doc->database());
    }
};

}  // namespace

int askPolygon(AcDbDatabase* db, std::vector<AcGePoint3d>& points)
{
    points.clear();
    ads_point p;
    int status = 0;
    if (!askPoint("Specify start point: ", p, status)) return status;
    points.push_back(toWorld(db, p));
    for (;;) {
        acedInitGet(0, points.size() > 2 ? "Close Undo" : "Undo");
        const char* prompt =
            points.size() > 2 ? "Specify next point or [Close/Undo]: " : "Specify next point or [Undo]: ";
        status = acedGetPoint(nullptr, prompt, p);
        if (status == RTCAN) return RTCAN;
        char keyword[16] = {};
        if (status == RTKWORD) acedGetInput(keyword);
        if (status == RTKWORD && std::string(keyword) == "Undo") {
            if (points.size() > 1) points.pop_back();
            continue;
        }
        if (status == RTNORM) {
            points.push_back(toWorld(db, p));
            continue;
        }
        if (points.size() > 2) return RTNORM;  // Close, or Enter with enough points
        if (status == RTNONE) return RTNONE;
    }
}

void defineViewCommands()
{
    static NumberViewportsOnSwitch listener;
    static bool listening = false;
    if (!listening) ap::DocumentManager::instance().addListener(&listener);
    listening = true;
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("MSPACE", modelSpace);
    processor.defineHostCommand("MS", modelSpace);
    processor.defineHostCommand("PSPACE", paperSpace);
    processor.defineHostCommand("PS", paperSpace);
    processor.defineHostCommand("MVIEW", makeViewports);
    processor.defineHostCommand("MV", makeViewports);
    processor.defineHostCommand("ZOOM", zoom);
    processor.defineHostCommand("Z", zoom);
    processor.defineHostCommand("DVIEW", dview);
    processor.defineHostCommand("DV", dview);
    processor.defineHostCommand("UCS", ucs);
    processor.defineHostCommand("LAYOUT", layout);
    processor.defineHostCommand("LO", layout);
    processor.defineHostCommand("SETVAR", setVariable);
}

}  // namespace arx::host
