// KSREFRESH: the floating viewports brought back in line with their marks. Every associated
// viewport of the layout (or only the one current when the command starts) whose corners,
// carried into model space, differ from its mark's is re-aimed: view direction and target set
// from the mark, then the host's own ZOOM Center and DVIEW replayed so that the host computes
// the view as it would for a user. The viewport index is resolved once for the command.
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <unordered_map>

#include "acedads.h"
#include "acutads.h"
#include "adscodes.h"
#include "assoc/association_maintenance.h"
#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "commands/zeroed_variable.h"
#include "dbents.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"
#include "commands/command_routines.h"

namespace kestra {

namespace {

constexpr const char* kPrefix = "(RefreshMsv) ";
constexpr double kDegreesPerRadian = 57.29577951308232;

// What a pair of the index leaves the walk to do next.
enum class Step { Next, LeaveWalk };

void printRefreshFailure(const char* message) { acutPrintf("%s%s\n", kPrefix, message); }

// Where the user was: paper space of the layout (left for model space while the viewports are
// re-aimed) or one floating viewport. Put back when the command leaves by any path.
class StartingSpace {
public:
    explicit StartingSpace(int viewport) : viewport_(viewport) {}
    ~StartingSpace() { restore(); }
    StartingSpace(const StartingSpace&) = delete;
    StartingSpace& operator=(const StartingSpace&) = delete;

    int viewport() const { return viewport_; }
    void enterModelSpace()
    {
        if (viewport_ != kPaperSpaceViewport) return;
        acedCommand(RTSTR, "._MSPACE", RTNONE);
        // A layout without a floating viewport that is on stays in paper space.
        inModelSpace_ = readIntegerVariable("CVPORT").value_or(kPaperSpaceViewport) != kPaperSpaceViewport;
    }
    // CVPORT set to another viewport: false (reported) when the host refuses.
    bool makeCurrent(int number)
    {
        viewportChanged_ = true;
        if (writeIntegerVariable("CVPORT", number)) return true;
        printVariableFailure(kPrefix, kCannotChangeVariable, "CVPORT");
        return false;
    }
    void restore()
    {
        if (inModelSpace_) acedCommand(RTSTR, "._PSPACE", RTNONE);
        else if (viewportChanged_ && !writeIntegerVariable("CVPORT", viewport_))
            printVariableFailure(kPrefix, kCannotChangeVariable, "CVPORT");
        inModelSpace_ = viewportChanged_ = false;
    }

private:
    int viewport_;
    bool inModelSpace_ = false;
    bool viewportChanged_ = false;
};

// The world coordinate system current while a viewport is re-aimed; the user's back after it.
class WorldUcs {
public:
    WorldUcs() : set_(acedSetCurrentUCS(AcGeMatrix3d::kIdentity) == Acad::eOk) {}
    ~WorldUcs()
    {
        if (set_) acedRestorePreviousUCS();
    }
    WorldUcs(const WorldUcs&) = delete;
    WorldUcs& operator=(const WorldUcs&) = delete;

private:
    bool set_;
};

std::string upperHandle(const std::string& text)
{
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The index resolved once: for each pair, the mark and viewport of the first pair of its mark
// handle, as a look-up by mark handle finds them.
struct ResolvedPair {
    std::string markHandle;
    AcDbObjectId mark;
    AcDbObjectId viewport;
};

std::vector<ResolvedPair> resolvePairs(const IndexPairs& pairs)
{
    std::unordered_map<std::string, size_t> firstOfMark;
    firstOfMark.reserve(pairs.size());
    std::vector<ResolvedPair> resolved;
    resolved.reserve(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        const size_t first = firstOfMark.emplace(upperHandle(pairs[i].mark), i).first->second;
        if (first != i) {
            resolved.push_back(ResolvedPair{pairs[i].mark, resolved[first].mark, resolved[first].viewport});
            continue;
        }
        resolved.push_back(ResolvedPair{pairs[i].mark, objectIdOfHandle(pairs[i].mark.c_str()),
                                        objectIdOfHandle(pairs[i].viewport.c_str())});
    }
    return resolved;
}

void eraseOrphan(const ResolvedPair& pair)
{
    ObjectOpener<AcDbEntity> mark(pair.mark, AcDb::kForWrite);
    if (mark && mark->erase() == Acad::eOk) {
        mark.close();
        acutPrintf("%s '%s'.", "Erasing the orphan Kestra object with the handle ", pair.markHandle.c_str());
        return;
    }
    acutPrintf("%s '%s'.", "Cannot erase the orphan Kestra object with the handle ", pair.markHandle.c_str());
}

void dview(const char* option, std::optional<double> value = std::nullopt, const char* second = nullptr)
{
    if (second != nullptr && value) acedCommand(RTSTR, option, RTSTR, second, RTREAL, *value, RTNONE);
    else if (second != nullptr) acedCommand(RTSTR, option, RTSTR, second, RTNONE);
    else if (value) acedCommand(RTSTR, option, RTREAL, *value, RTNONE);
    else acedCommand(RTSTR, option, RTNONE);
}

// The options of the DVIEW replay that the mark's view mode asks for, in their order.
void replayViewMode(const VaduKestra& mark)
{
    const Adesk::Int32 mode = mark.viewMode();
    if (mode <= 0) return;
    if (mode & 0x01) dview("_Distance", mark.viewDir().asVector().length());
    if (mode & 0x02) dview("_CLip", mark.frontZ(), "_Front");
    if (mode & 0x04) dview("_CLip", mark.backZ(), "_Back");
    if (mode & 0x10) dview("_CLip", std::nullopt, "_Off");
}

// Re-aims the current viewport at the mark.
Step reaim(const VaduKestra& mark, AcDbObjectId viewportId, int number)
{
    acutPrintf("%s #%d....\n", "Correction of the viewport view", number);
    const AcGePoint3d target = mark.center();
    const double twist = mark.rotation() * kDegreesPerRadian;
    const double height = mark.height();
    WorldUcs world;
    const std::optional<int> viewMode = readIntegerVariable("VIEWMODE");
    if (!viewMode) {
        printVariableFailure(kPrefix, kCannotReadVariable, "VIEWMODE");
        return Step::LeaveWalk;
    }
    if (*viewMode & 1) acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_Off", RTSTR, "_X", RTNONE);
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
        if (!viewport) {
            printRefreshFailure("Cannot open Viewport object for writing.");
            return Step::LeaveWalk;
        }
        viewport->setViewDirection(mark.normal());
        viewport->setViewTarget(target);
    }
    const ads_point center = {target.x, target.y, target.z};
    acedCommand(RTSTR, "._ZOOM", RTSTR, "_C", RT3DPOINT, center, RTREAL, height, RTNONE);
    acedCommand(RTSTR, "._DVIEW", RTSTR, "", RTSTR, "_TW", RTREAL, twist, RTNONE);
    replayViewMode(mark);
    acedCommand(RTSTR, "_X", RTNONE);
    return Step::Next;
}

// One pair of the index. Sets `ended` when the command must end (CVPORT refused).
Step refreshPair(const ResolvedPair& pair, StartingSpace& space, bool& ended)
{
    if (pair.mark.isNull()) return Step::Next;
    if (pair.viewport.isNull()) {
        eraseOrphan(pair);
        return Step::Next;
    }
    ObjectOpener<VaduKestra> mark(pair.mark, AcDb::kForRead);
    if (!mark) {
        printRefreshFailure(kCannotReadMark);
        return Step::LeaveWalk;
    }
    Corners paper;
    int number = 0;
    {
        ObjectOpener<AcDbViewport> viewport(pair.viewport, AcDb::kForRead);
        if (!viewport) {
            printRefreshFailure("Cannot open parent view for writing.");
            return Step::LeaveWalk;
        }
        number = viewport->number();
        if (space.viewport() > kPaperSpaceViewport && number != space.viewport()) return Step::Next;
        paper = paperCorners(*viewport);
    }
    if (number <= -1) return Step::Next;
    if (!space.makeCurrent(number)) {
        ended = true;
        return Step::LeaveWalk;
    }
    Corners model;
    bool carried = true;
    for (int i = 0; i < 4 && carried; ++i) {
        const std::optional<AcGePoint3d> point = paperToModel(paper[i]);
        if (point) model[i] = *point;
        carried = point.has_value();
    }
    if (carried && mark->sameCorners(model[0], model[1], model[2], model[3])) return Step::Next;
    return reaim(*mark, pair.viewport, number);
}

void walkIndex(const IndexPairs& pairs, StartingSpace& space)
{
    const std::vector<ResolvedPair> resolved = resolvePairs(pairs);
    space.enterModelSpace();
    acutPrintf("%s\n", "Rectification of the viewport view ...");
    bool ended = false;
    for (const ResolvedPair& pair : resolved)
        if (refreshPair(pair, space, ended) == Step::LeaveWalk) break;
}

}  // namespace

void refreshViews()
{
    const std::optional<int> tileMode = readIntegerVariable("TILEMODE");
    if (!tileMode) {
        printVariableFailure(kPrefix, kCannotReadVariable, "TILEMODE");
        return;
    }
    if (*tileMode == 1) {
        acutPrintf("%s\n", "You must be in paper space to execute this function.");
        return;
    }
    // Each is put back on every path out, in the reverse order: WORLDVIEW, UCSFOLLOW, CMDECHO.
    ZeroedVariable commandEcho("CMDECHO", kPrefix);
    if (!commandEcho.active()) return;
    ZeroedVariable ucsFollow("UCSFOLLOW", kPrefix);
    if (!ucsFollow.active()) return;
    ZeroedVariable worldView("WORLDVIEW", kPrefix);
    if (!worldView.active()) return;
    const std::optional<int> start = readIntegerVariable("CVPORT");
    if (!start) {
        printVariableFailure(kPrefix, kCannotReadVariable, "CVPORT");
        return;
    }
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk || pairs.empty()) return;
    StartingSpace space(*start);
    walkIndex(pairs, space);
}

}  // namespace kestra
