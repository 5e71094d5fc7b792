#include "assoc_test_support.h"

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "acdbads_db.h"
#include "acdocman.h"
#include "aced.h"
#include "acedads.h"
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "commands/mark_creation.h"
#include "dbapserv.h"
#include "db/open_objects.h"
#include "dbsymtb.h"
#include "dbpl.h"
#include "ed/command_processor.h"
#include "ed/console.h"
#include "ed/input.h"
#include "geassign.h"
#include "host.h"
#include "mark/vadu_msv.h"
#include "mark/viewport_projection.h"
#include "shell/command_table.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"
#include "win32standin.h"

namespace assoctest {

namespace {

std::string& printed()
{
    static std::string text;
    return text;
}

// The host, started once for the whole program with a registry folder of its own, and the
// module's state as the initialise message leaves it.
class HostEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestra-assoc-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        arx::host::HostOptions options;
        options.registryFolder = folder_;
        arx::ed::Console::instance().setSink([](std::string_view text) { printed() += text; });
        arx::host::startHost(options);
        kestra::registerMarkClass();
        kestra::registerLegacyMarkClass();
        kestra::registerPersistentReactorClass();
        acrxBuildClassHierarchy();
        kestra::KestraModule& module = kestra::createKestraModule();
        module.documents = std::make_unique<kestra::DocumentRegistry>(curDoc());
        kestra::addCommands(module);
    }
    void TearDown() override
    {
        kestra::removeCommands(*kestra::kestraModule());
        kestra::destroyKestraModule();
        arx::host::stopHost();
        arx::ed::Console::instance().resetSink();
        Win32SetRegistryFolder(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::string folder_;
};

[[maybe_unused]] testing::Environment* const environment = testing::AddGlobalTestEnvironment(new HostEnvironment);

AcDbObjectId lastEntity()
{
    ads_name name;
    EXPECT_EQ(acdbEntLast(name), RTNORM);
    AcDbObjectId id;
    acdbGetObjectId(id, name);
    return id;
}

}  // namespace

std::string takePrinted()
{
    std::string text;
    text.swap(printed());
    return text;
}

void AssocHostTest::SetUp()
{
    ASSERT_EQ(acedCommand(RTSTR, "NEW", RTNONE), RTNORM);
    kestra::kestraModule()->documents->makeCurrent(curDoc());
    kestra::kestraModule()->copiedObjects.clear();
    setShort("TILEMODE", 0);
    takePrinted();
}

void AssocHostTest::TearDown()
{
    // Whatever a test ran, the module closed every object it opened.
    std::string open;
    for (const AcDbObjectId& id : arx::db::objectsLeftOpen(drawing())) open += ' ' + handleOf(id);
    EXPECT_EQ(open, "") << "objects left open";
    kestra::kestraModule()->documents->remove(curDoc());
}

kestra::DocumentState& AssocHostTest::state() { return *kestra::currentDocumentState(); }

AcDbDatabase* AssocHostTest::drawing() const { return acdbHostApplicationServices()->workingDatabase(); }

void AssocHostTest::setShort(const char* name, int value)
{
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    ASSERT_EQ(acedSetVar(name, &rb), RTNORM) << name;
}

AcDbObjectId AssocHostTest::makeViewport(const ViewportFrame& frame)
{
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    const AcGePoint3d c1 = frame.center - AcGeVector3d(frame.width / 2, frame.height / 2, 0);
    const AcGePoint3d c2 = frame.center + AcGeVector3d(frame.width / 2, frame.height / 2, 0);
    EXPECT_EQ(acedCommand(RTSTR, "._MVIEW", RT3DPOINT, asDblArray(c1), RT3DPOINT, asDblArray(c2), RTNONE), RTNORM);
    const AcDbObjectId id = lastEntity();
    kestra::ObjectOpener<AcDbViewport> viewport(id, AcDb::kForWrite);
    EXPECT_TRUE(viewport.isOpen());
    if (!viewport) return id;
    viewport->setViewDirection(frame.direction);
    viewport->setViewTarget(frame.target);
    viewport->setViewCenter(frame.viewCenter);
    viewport->setViewHeight(frame.viewHeight);
    viewport->setTwistAngle(frame.twist);
    // The host keeps the legacy view record in step with the view it sets.
    EXPECT_EQ(viewport->writeLegacyViewRecord(), Acad::eOk);
    return id;
}

void AssocHostTest::activate(AcDbObjectId viewportId)
{
    acedCommand(RTSTR, "._MSPACE", RTNONE);  // refused when model space is current already
    kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    ASSERT_TRUE(viewport.isOpen());
    EXPECT_EQ(acedSetCurrentVPort(viewport.get()), Acad::eOk);
}

void AssocHostTest::clipViewport(AcDbObjectId viewportId, const ViewportFrame& frame)
{
    AcDbObjectId paperSpace;
    {
        kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        ASSERT_TRUE(viewport.isOpen());
        paperSpace = viewport->ownerId();
    }
    kestra::ObjectOpener<AcDbPolyline> polygon(new AcDbPolyline());
    const double w = frame.width / 2;
    const double h = frame.height / 2;
    const AcGePoint2d c(frame.center.x, frame.center.y);
    polygon->addVertexAt(0, c + AcGeVector2d(-w, -h));
    polygon->addVertexAt(1, c + AcGeVector2d(w, -h));
    polygon->addVertexAt(2, c + AcGeVector2d(w * 0.2, h));
    polygon->addVertexAt(3, c + AcGeVector2d(-w, h * 0.5));
    polygon->setClosed(true);
    kestra::ObjectOpener<AcDbBlockTableRecord> block(paperSpace, AcDb::kForWrite);
    AcDbObjectId polygonId;
    ASSERT_EQ(block->appendAcDbEntity(polygonId, polygon.get()), Acad::eOk);
    polygon->addPersistentReactor(viewportId);
    polygon.close();
    block.close();
    kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForWrite);
    viewport->setNonRectClipEntityId(polygonId);
    viewport->setNonRectClipOn();
}

void AssocHostTest::typed(const std::string& text)
{
    std::istringstream in(text);
    arx::ed::TypedInput input(in);
    arx::ed::InputScope scope(&input);
    arx::ed::CommandProcessor::instance().runCommandLoop();
}

AcDbObjectId AssocHostTest::makeMark(AcDbObjectId viewportId)
{
    activate(viewportId);
    kestra::ObjectOpener<VaduKestra> mark(new VaduKestra());
    {
        kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        EXPECT_EQ(kestra::fillMarkFromViewport(*mark, *viewport), Acad::eOk);
    }
    kestra::ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId markId;
    EXPECT_EQ(modelSpace->appendAcDbEntity(markId, mark.get()), Acad::eOk);
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    return markId;
}

AcDbObjectId AssocHostTest::makeAssociatedMark(AcDbObjectId viewportId)
{
    const AcDbObjectId markId = makeMark(viewportId);
    EXPECT_EQ(kestra::addIndexEntry(kestra::kStoreName, markId, viewportId), Acad::eOk);
    EXPECT_EQ(kestra::writePartnerHandle(viewportId, markId.handle()), Acad::eOk);
    kestra::ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    EXPECT_EQ(kestra::attachReactors(&mark, &viewport), Acad::eOk);
    return markId;
}

AcDbObjectId AssocHostTest::markViewport(AcDbObjectId viewportId)
{
    activate(viewportId);
    state().reactorsSuspended = true;
    kestra::createMarkForCurrentViewport();
    state().reactorsSuspended = false;
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    return lastMark();
}

AcDbObjectId AssocHostTest::lastMark()
{
    AcDbObjectIdArray marks;
    kestra::collectModelSpaceEntities("VaduKestra", marks);
    return marks.isEmpty() ? AcDbObjectId() : marks.at(marks.length() - 1);
}

kestra::Corners AssocHostTest::shownCorners(AcDbObjectId viewportId)
{
    activate(viewportId);
    std::optional<kestra::Corners> corners;
    {
        kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        if (viewport) corners = kestra::modelCorners(*viewport);
    }
    acedCommand(RTSTR, "._PSPACE", RTNONE);
    EXPECT_TRUE(corners.has_value());
    return corners.value_or(kestra::Corners{});
}

std::vector<AcDbObjectId> AssocHostTest::outlineContent(AcDbObjectId markId)
{
    std::vector<AcDbObjectId> ids;
    kestra::ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) return ids;
    kestra::ObjectOpener<AcDbBlockReference> outline(mark->outlineBlockId(), AcDb::kForRead);
    if (!outline) return ids;
    kestra::ObjectOpener<AcDbBlockTableRecord> block(outline->blockTableRecord(), AcDb::kForRead);
    AcDbBlockTableRecordIterator* raw = nullptr;
    if (!block || block->newIterator(raw) != Acad::eOk) return ids;
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(raw);
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        if (iterator->getEntityId(id) == Acad::eOk) ids.push_back(id);
    }
    return ids;
}

std::pair<AcGePoint3d, double> AssocHostTest::viewRecordOf(AcDbObjectId viewportId)
{
    kestra::ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    kestra::ResultBufferHolder record(viewport->xData("ACAD"));
    std::pair<AcGePoint3d, double> found;
    int points = 0, reals = 0;
    for (const resbuf* item = record.get(); item != nullptr; item = item->rbnext) {
        if (item->restype == 1010 && points++ == 0) found.first = asPnt3d(item->resval.rpoint);
        if (item->restype == 1040 && reals++ == 1) found.second = item->resval.rreal;
    }
    return found;
}

AcDbObjectId AssocHostTest::modelSpaceId()
{
    kestra::ObjectOpener<AcDbBlockTable> table(drawing()->blockTableId(), AcDb::kForRead);
    AcDbObjectId id;
    table->getAt(ACDB_MODEL_SPACE, id);
    return id;
}

AcDbObjectId AssocHostTest::appendLine()
{
    kestra::ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId(), AcDb::kForWrite);
    kestra::ObjectOpener<AcDbLine> line(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0)));
    AcDbObjectId id;
    EXPECT_EQ(modelSpace->appendAcDbEntity(id, line.get()), Acad::eOk);
    return id;
}

AcDbObjectId AssocHostTest::makeLayer(const char* name, Adesk::UInt16 word)
{
    AcDbLayerTable* table = nullptr;
    EXPECT_EQ(drawing()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, layer), Acad::eOk);
    layer->close();
    table->close();
    EXPECT_EQ(kestra::setLayerState(word, id), Acad::eOk);
    return id;
}

void AssocHostTest::moveToLayer(AcDbObjectId entityId, AcDbObjectId layerId)
{
    kestra::ObjectOpener<AcDbEntity> entity(entityId, AcDb::kForWrite, false, true);
    ASSERT_TRUE(entity.isOpen());
    EXPECT_EQ(entity->setLayer(layerId), Acad::eOk);
}

int AssocHostTest::countInModelSpace(const char* className)
{
    AcDbObjectIdArray ids;
    EXPECT_EQ(kestra::collectModelSpaceEntities(className, ids), Acad::eOk);
    return ids.length();
}

bool AssocHostTest::isErased(AcDbObjectId id) { return id.isErased(); }

std::string AssocHostTest::handleOf(AcDbObjectId id) { return kestra::handleTextOf(id); }

}  // namespace assoctest
