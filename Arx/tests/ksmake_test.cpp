// The make command's creation step on random floating viewports (twisted, not in plan view,
// clipped, display-locked, on locked layers): the mark outlines what the viewport shows, every
// association record agrees, and saving and opening the drawing keeps them agreeing.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <random>

#include "acdbads_db.h"
#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/layout_hyperlink.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc_test_support.h"
#include "commands/mark_creation.h"
#include "dbhyper.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "geassign.h"
#include "mark/viewport_projection.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

constexpr double kPi = std::numbers::pi;

struct RandomCase {
    ViewportFrame frame;
    bool clipped = false;
    bool displayLocked = false;
    bool onLockedLayer = false;
};

RandomCase randomCase(std::mt19937& random, int index)
{
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    RandomCase c;
    c.frame.center = AcGePoint3d(150 + 100 * unit(random), 100 + 60 * unit(random), 0);
    c.frame.width = 60 + 50 * std::fabs(unit(random));
    c.frame.height = 40 + 30 * std::fabs(unit(random));
    if (index % 3 == 1) {
        do c.frame.direction = AcGeVector3d(unit(random), unit(random), unit(random));
        while (c.frame.direction.length() < 0.2);
        c.frame.direction.normalize();
    }
    c.frame.target = AcGePoint3d(500 * unit(random), 500 * unit(random), 50 * unit(random));
    c.frame.viewCenter = AcGePoint2d(200 * unit(random), 200 * unit(random));
    c.frame.viewHeight = std::pow(10.0, 1.0 + 2.0 * std::fabs(unit(random)));
    c.frame.twist = index % 2 == 0 ? kPi * (1.0 + unit(random)) : 0.0;
    c.clipped = index % 4 == 3;
    c.displayLocked = index % 5 == 2;
    c.onLockedLayer = index % 3 == 2;
    return c;
}

class MakeMarkTest : public AssocHostTest {
protected:
    AcDbObjectId reactorObject(const char* key)
    {
        AcDbObjectId id;
        getReactorObject(kStoreName, key, false, id);
        return id;
    }

    // Every link between the mark and its viewport names the other.
    void expectAssociationAgrees(AcDbObjectId markId, AcDbObjectId viewportId, const std::string& label)
    {
        SCOPED_TRACE(label);
        IndexPairs pairs;
        ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
        int found = 0;
        for (const IndexPair& pair : pairs)
            if (sameHandle(pair.mark, handleTextOf(markId))) {
                ++found;
                EXPECT_EQ(pair.viewport, handleTextOf(viewportId));
            }
        EXPECT_EQ(found, 1);
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        ASSERT_TRUE(mark.isOpen());
        ASSERT_TRUE(viewport.isOpen());
        EXPECT_EQ(handleText(mark->viewportHandle()), handleTextOf(viewportId));
        AcDbObjectId partner;
        EXPECT_TRUE(readPartnerHandle(*viewport, partner));
        EXPECT_EQ(partner, markId);
        EXPECT_TRUE(hasPersistentReactor(*mark, reactorObject(kMarkReactorKey)));
        EXPECT_TRUE(hasPersistentReactor(*viewport, reactorObject(kViewportReactorKey)));
        const AcDbObjectId outlineId = mark->outlineBlockId();
        EXPECT_EQ(outlineId.isNull(), !viewport->isNonRectClipOn());
        if (outlineId.isNull()) return;
        ObjectOpener<AcDbBlockReference> outline(outlineId, AcDb::kForRead);
        ASSERT_TRUE(outline.isOpen());
        EXPECT_TRUE(readPartnerHandle(*outline, partner));
        EXPECT_EQ(partner, markId);
        EXPECT_TRUE(hasPersistentReactor(*outline, reactorObject(kOutlineReactorKey)));
        ObjectOpener<AcDbEntity> clipEntity(viewport->nonRectClipEntityId(), AcDb::kForRead);
        EXPECT_TRUE(hasPersistentReactor(*clipEntity, reactorObject(kClipReactorKey)));
    }

    // The outline's block holds a copy of the clip boundary by block, on layer "0", linetype
    // ByBlock, and placed by its block reference it lies where the viewport shows the boundary
    // in model space.
    void expectOutlineOverTheBoundary(AcDbObjectId markId, AcDbObjectId viewportId, const std::string& label)
    {
        SCOPED_TRACE(label);
        std::vector<AcGePoint3d> expected;
        {
            activate(viewportId);
            ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
            ObjectOpener<AcDbPolyline> boundary(viewport->nonRectClipEntityId(), AcDb::kForRead);
            ASSERT_TRUE(boundary.isOpen());
            for (unsigned i = 0; i < boundary->numVerts(); ++i) {
                AcGePoint3d onSheet;
                boundary->getPointAt(i, onSheet);
                expected.push_back(paperToModel(onSheet).value_or(AcGePoint3d::kOrigin));
            }
        }
        acedCommand(RTSTR, "._PSPACE", RTNONE);
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        ObjectOpener<AcDbBlockReference> outline(mark->outlineBlockId(), AcDb::kForRead);
        ASSERT_TRUE(outline.isOpen());
        int copies = 0;
        for (const AcDbObjectId& id : outlineContent(markId)) {
            ++copies;
            ObjectOpener<AcDbPolyline> copy(id, AcDb::kForRead);
            ASSERT_TRUE(copy.isOpen());
            EXPECT_EQ(copy->colorIndex(), 0);
            char* layer = copy->layer();
            char* linetype = copy->linetype();
            EXPECT_STREQ(layer, "0");
            EXPECT_STRCASEEQ(linetype, "ByBlock");
            free(layer);
            free(linetype);
            ASSERT_EQ(copy->numVerts(), expected.size());
            for (unsigned i = 0; i < copy->numVerts(); ++i) {
                AcGePoint3d local;
                copy->getPointAt(i, local);
                const AcGePoint3d world = outline->blockTransform() * local;
                EXPECT_LT(world.distanceTo(expected[i]) / (1.0 + expected[i].asVector().length()), 1e-9)
                    << "vertex " << i;
            }
        }
        EXPECT_EQ(copies, 1);
    }
};

void expectSameCorners(const VaduKestra& mark, const Corners& expected, const std::string& label)
{
    for (int k = 0; k < 4; ++k) {
        const AcGePoint3d corner = mark.corners()[k];
        const double scale = 1.0 + expected[k].asVector().length();
        EXPECT_LT(corner.distanceTo(expected[k]) / scale, 1e-9) << label << " corner " << k;
    }
}

}  // namespace

TEST_F(MakeMarkTest, MarksOfRandomViewportsOutlineWhatTheyShowAndEveryRecordAgrees)
{
    std::mt19937 random(20040304);
    const AcDbObjectId lockedLayer = makeLayer("LockedSheets");
    std::vector<std::pair<AcDbObjectId, AcDbObjectId>> made;
    for (int i = 0; i < 24; ++i) {
        const RandomCase c = randomCase(random, i);
        const std::string label = "case " + std::to_string(i);
        const AcDbObjectId viewportId = makeViewport(c.frame);
        if (c.clipped) clipViewport(viewportId, c.frame);
        if (c.displayLocked) {
            ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
            viewport->setLocked();
        }
        if (c.onLockedLayer) moveToLayer(viewportId, lockedLayer);
        setLayerState(c.onLockedLayer ? kLayerLocked : 0, lockedLayer);
        const Corners before = shownCorners(viewportId);

        takePrinted();
        const AcDbObjectId markId = markViewport(viewportId);
        const std::string printed = takePrinted();
        EXPECT_NE(printed.find("--> Marking of the view completed.\n"), std::string::npos) << label << printed;
        ASSERT_FALSE(markId.isNull()) << label;
        {
            ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
            expectSameCorners(*mark, before, label);                    // the display did not move
            expectSameCorners(*mark, shownCorners(viewportId), label);  // and the mark outlines it
            ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
            EXPECT_EQ(viewport->isLocked(), c.displayLocked) << label;
            EXPECT_TRUE(mark->normal().isCodirectionalTo(viewport->viewDirection())) << label;
        }
        EXPECT_EQ((*getLayerState(lockedLayer) & kLayerLocked) != 0, c.onLockedLayer) << label;
        expectAssociationAgrees(markId, viewportId, label);
        made.emplace_back(markId, viewportId);
        setLayerState(0, lockedLayer);
    }

    std::vector<std::pair<std::string, std::string>> handles;
    for (const auto& [mark, viewport] : made) handles.emplace_back(handleTextOf(mark), handleTextOf(viewport));
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kestra-ksmake-" + std::to_string(getpid()) + ".dxf")).string();
    ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, path.c_str(), RTNONE), RTNORM);
    ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, path.c_str(), RTNONE), RTNORM);
    kestraModule()->documents->makeCurrent(curDoc());
    std::filesystem::remove(path);
    for (const auto& [mark, viewport] : handles)
        expectAssociationAgrees(objectIdOfHandle(mark.c_str()), objectIdOfHandle(viewport.c_str()), "reopened " + mark);
}

TEST_F(MakeMarkTest, ClippedViewportsOfRandomViewsGetTheirOutlineAndEveryRecordAgrees)
{
    std::mt19937 random(15060405);
    for (int i = 0; i < 8; ++i) {
        RandomCase c = randomCase(random, i);
        const std::string label = "clipped case " + std::to_string(i);
        const AcDbObjectId viewportId = makeViewport(c.frame);
        clipViewport(viewportId, c.frame);
        const Corners before = shownCorners(viewportId);
        const AcDbObjectId markId = markViewport(viewportId);
        ASSERT_FALSE(markId.isNull()) << label;
        {
            ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
            expectSameCorners(*mark, before, label);
        }
        expectAssociationAgrees(markId, viewportId, label);
        expectOutlineOverTheBoundary(markId, viewportId, label);
    }
}

TEST_F(MakeMarkTest, MarkingAViewportAgainReplacesItsMarkAndKeepsItsAttributes)
{
    const AcDbObjectId viewportId = makeViewport();
    const AcDbObjectId first = markViewport(viewportId);
    EXPECT_EQ(countInModelSpace("VaduKestra"), 1);
    const AcDbObjectId layer = makeLayer("Marks");
    acdbRegApp("SHEET_NOTES");
    resbuf* note = acutBuildList(AcDb::kDxfRegAppName, "SHEET_NOTES", AcDb::kDxfXdAsciiString, "north wing", RTNONE);
    {
        ObjectOpener<VaduKestra> mark(first, AcDb::kForWrite);
        mark->setLayer(layer);
        mark->setColorIndex(5);
        mark->setLinetype("ByBlock");
        EXPECT_EQ(mark->setXData(note), Acad::eOk);
    }
    acutRelRb(note);
    const AcDbObjectId second = markViewport(viewportId);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first.isErased());
    EXPECT_EQ(countInModelSpace("VaduKestra"), 1);
    ObjectOpener<VaduKestra> mark(second, AcDb::kForRead);
    EXPECT_EQ(mark->layerId(), layer);
    EXPECT_EQ(mark->colorIndex(), 5);
    char* linetype = mark->linetype();
    EXPECT_STRCASEEQ(linetype, "ByBlock");
    free(linetype);
    resbuf* carried = mark->xData("SHEET_NOTES");
    ASSERT_NE(carried, nullptr) << "the old mark's extended data is carried over";
    ASSERT_NE(carried->rbnext, nullptr);
    EXPECT_STREQ(carried->rbnext->resval.rstring, "north wing");
    acutRelRb(carried);
    mark.close();
    expectAssociationAgrees(second, viewportId, "second");
    EXPECT_EQ(state().associationCount, 2);  // the count follows each new mark until the next check
    // The old mark's pair went with it: the viewport leads to the new mark alone.
    IndexPairs pairs;
    ASSERT_EQ(readIndexPairs(kStoreName, pairs), Acad::eOk);
    EXPECT_EQ(pairs.size(), 1u);
    AcDbObjectId found, itsViewport;
    ASSERT_EQ(findIndexEntry(kStoreName, handleTextOf(viewportId).c_str(), false, found, itsViewport), Acad::eOk);
    EXPECT_EQ(found, second);
}

TEST_F(MakeMarkTest, WithoutLispVariablesAMarkLiesOnDefpointsInRed)
{
    const AcDbObjectId markId = markViewport(makeViewport());
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    char* layer = mark->layer();
    char* linetype = mark->linetype();
    EXPECT_STREQ(layer, "Defpoints");
    EXPECT_STRCASEEQ(linetype, "CONTINUOUS");
    EXPECT_EQ(mark->colorIndex(), 1);
    free(layer);
    free(linetype);
}

// The make command typed inside each of several random viewports (clipped and display-locked
// ones and ones on a locked layer among them), then undone one command at a time and redone: after
// each step the marks still made agree with their viewports through every record, and an
// undone mark leaves no record behind.
TEST_F(MakeMarkTest, UndoAndRedoOfTheMakeCommandKeepTheRecordsAgreeing)
{
    std::mt19937 random(19991231);
    const AcDbObjectId lockedLayer = makeLayer("LockedSheets");
    std::vector<AcDbObjectId> viewports;
    for (int i = 0; i < 6; ++i) {
        const RandomCase c = randomCase(random, i);
        viewports.push_back(makeViewport(c.frame));
        if (c.clipped) clipViewport(viewports.back(), c.frame);
        if (c.displayLocked) {
            ObjectOpener<AcDbViewport> viewport(viewports.back(), AcDb::kForWrite);
            viewport->setLocked();
        }
        if (c.onLockedLayer) moveToLayer(viewports.back(), lockedLayer);
    }
    setLayerState(kLayerLocked, lockedLayer);
    std::vector<std::pair<AcDbObjectId, AcDbObjectId>> made;
    for (const AcDbObjectId& viewportId : viewports) {
        ASSERT_EQ(acedCommand(RTSTR, "UNDO", RTSTR, "Mark", RTNONE), RTNORM);
        activate(viewportId);
        ASSERT_EQ(acedCommand(RTSTR, "KSMAKE", RTNONE), RTNORM);
        acedCommand(RTSTR, "._PSPACE", RTNONE);
        made.emplace_back(lastMark(), viewportId);
        ASSERT_FALSE(made.back().first.isNull());
    }
    for (const auto& [mark, viewport] : made) expectAssociationAgrees(mark, viewport, "made " + handleTextOf(mark));

    for (size_t undone = 1; undone <= made.size(); ++undone) {
        ASSERT_EQ(acedCommand(RTSTR, "UNDO", RTSTR, "Back", RTNONE), RTNORM);
        const auto& [gone, itsViewport] = made[made.size() - undone];
        SCOPED_TRACE("after " + std::to_string(undone) + " undo");
        EXPECT_FALSE(ObjectOpener<VaduKestra>(gone, AcDb::kForRead).isOpen());
        AcDbObjectId markId, viewportId;
        EXPECT_NE(findIndexEntry(kStoreName, handleTextOf(itsViewport).c_str(), false, markId, viewportId), Acad::eOk);
        {
            ObjectOpener<AcDbViewport> viewport(itsViewport, AcDb::kForRead);
            ASSERT_TRUE(viewport.isOpen());
            EXPECT_FALSE(readPartnerHandle(*viewport, markId));
        }
        for (size_t k = 0; k + undone < made.size(); ++k)
            expectAssociationAgrees(made[k].first, made[k].second, "kept " + std::to_string(k));
    }
    EXPECT_EQ((*getLayerState(lockedLayer) & kLayerLocked), kLayerLocked);
    ASSERT_EQ(acedCommand(RTSTR, "REDO", RTNONE), RTNORM);
    expectAssociationAgrees(made[0].first, made[0].second, "redone");
    EXPECT_EQ(countInModelSpace("VaduKestra"), 1);
    setLayerState(0, lockedLayer);
}

namespace {

void putSymbol(const char* name, resbuf value) { ASSERT_EQ(acedPutSym(name, &value), RTNORM) << name; }

void putText(const char* name, const char* text)
{
    resbuf value{nullptr, RTSTR, {}};
    value.resval.rstring = const_cast<char*>(text);
    putSymbol(name, value);
}

void putShort(const char* name, int number)
{
    resbuf value{nullptr, RTSHORT, {}};
    value.resval.rint = static_cast<short>(number);
    putSymbol(name, value);
}

void putNil(const char* name) { putSymbol(name, resbuf{nullptr, RTNIL, {}}); }

void symbolTrue(const char* name) { putSymbol(name, resbuf{nullptr, RTT, {}}); }

std::string layerNameOf(const AcDbEntity& entity)
{
    char* name = entity.layer();
    std::string text = name ? name : "";
    free(name);
    return text;
}

}  // namespace

// The AutoLISP variable sets choose the attributes of a viewport's first mark: the "Locked" set
// for a display-locked viewport (its new layer made locked, coloured and not plotted) and the
// "UnLocked" set otherwise; a set with only an object colour keeps the default layer.
TEST_F(MakeMarkTest, TheVariableSetOfTheDisplayLockChoosesTheLayerAndColour)
{
    putText("vadu_Kestra::DisplayLockedLayerName", "KsLocked");
    putShort("vadu_Kestra::DisplayLockedLayerColor", 3);
    symbolTrue("vadu_Kestra::DisplayLockedLayerNoPlot");
    putShort("vadu_Kestra::DisplayUnLockedObjectColor", 256);

    ViewportFrame frame;
    const AcDbObjectId lockedViewport = makeViewport(frame);
    {
        ObjectOpener<AcDbViewport> viewport(lockedViewport, AcDb::kForWrite);
        viewport->setLocked();
    }
    frame.center.x += 250.0;
    const AcDbObjectId openViewport = makeViewport(frame);

    const AcDbObjectId lockedMark = markViewport(lockedViewport);
    const AcDbObjectId openMark = markViewport(openViewport);
    for (const char* name : {"vadu_Kestra::DisplayLockedLayerName", "vadu_Kestra::DisplayLockedLayerColor",
                             "vadu_Kestra::DisplayLockedLayerNoPlot", "vadu_Kestra::DisplayUnLockedObjectColor"})
        putNil(name);

    {
        ObjectOpener<VaduKestra> mark(lockedMark, AcDb::kForRead);
        EXPECT_EQ(layerNameOf(*mark), "KsLocked");
        EXPECT_EQ(mark->colorIndex(), 3) << "no object colour: the layer colour";
        ObjectOpener<AcDbLayerTableRecord> layer(mark->layerId(), AcDb::kForRead);
        EXPECT_TRUE(layer->isLocked());
        EXPECT_FALSE(layer->isPlottable());
        EXPECT_EQ(layer->color().colorIndex(), 3);
        ObjectOpener<AcDbViewport> viewport(lockedViewport, AcDb::kForRead);
        EXPECT_TRUE(viewport->isLocked());
    }
    ObjectOpener<VaduKestra> mark(openMark, AcDb::kForRead);
    EXPECT_EQ(mark->colorIndex(), 256) << "by layer";
    EXPECT_EQ(mark->layerId(), drawing()->clayer()) << "a set without a layer name keeps the default layer";
}

namespace {

// "address|description|sub-location" of each hyperlink of the entity.
std::vector<std::string> hyperlinksOf(AcDbObjectId id)
{
    ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
    AcDbHyperlinkCollection* raw = nullptr;
    ACRX_PE_PTR(entity.get(), AcDbEntityHyperlinkPE)->getHyperlinkCollection(entity.get(), raw);
    std::unique_ptr<AcDbHyperlinkCollection> links(raw);
    std::vector<std::string> out;
    for (int i = 0; links && i < links->count(); ++i)
        out.push_back(std::string(links->item(i)->name()) + '|' + links->item(i)->description() + '|' +
                      links->item(i)->subLocation());
    return out;
}

}  // namespace

// The mark and the outline of a clipped viewport name the layout of the viewport in their one
// hyperlink, by which the marks of a layout are counted; an entity with hyperlinks of its own
// (two or more) keeps them.
TEST_F(MakeMarkTest, MarkAndOutlineLinkToTheLayoutThatCountsTheirMarks)
{
    ViewportFrame frame;
    const AcDbObjectId viewportId = makeViewport(frame);
    clipViewport(viewportId, frame);
    const AcDbObjectId markId = markViewport(viewportId);
    const std::vector<std::string> expected = {"|Kestra: the layout of the viewport|Layout1"};
    EXPECT_EQ(hyperlinksOf(markId), expected);
    AcDbObjectId outlineId;
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
        outlineId = mark->outlineBlockId();
    }
    EXPECT_EQ(hyperlinksOf(outlineId), expected);
    EXPECT_EQ(countMarksWithHyperlink("LAYOUT1"), 1);
    EXPECT_EQ(countMarksWithHyperlink("Layout2"), 0);

    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        EXPECT_TRUE(setLayoutHyperlink(*mark, "Renamed"));
    }
    EXPECT_EQ(countMarksWithHyperlink("Layout1"), 0);
    EXPECT_EQ(countMarksWithHyperlink("renamed"), 1);
    {
        ObjectOpener<VaduKestra> mark(markId, AcDb::kForWrite);
        AcDbEntityHyperlinkPE* protocol = ACRX_PE_PTR(mark.get(), AcDbEntityHyperlinkPE);
        AcDbHyperlinkCollection* raw = nullptr;
        protocol->getHyperlinkCollection(mark.get(), raw);
        std::unique_ptr<AcDbHyperlinkCollection> links(raw);
        links->addTail("http://example.org/sheet", "the sheet", "");
        ASSERT_EQ(protocol->setHyperlinkCollection(mark.get(), links.get()), Acad::eOk);
        EXPECT_TRUE(setLayoutHyperlink(*mark, "Layout1"));
    }
    EXPECT_EQ(hyperlinksOf(markId).size(), 2u) << "two hyperlinks of the user's are kept";
    EXPECT_EQ(countMarksWithHyperlink("renamed"), 0) << "only a mark with exactly one hyperlink counts";
}
