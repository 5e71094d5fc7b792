// A drawing of an earlier release, made here: legacy marks (one with an outline block
// reference and the persistent reactor) listed in the legacy store, beside a current mark.
// Opened, its legacy marks are whole objects that draw and take grip edits; the audit at open
// erases them with their outline, and the drawing saved again holds none. The legacy store
// goes at the first open that finds no legacy mark left to erase.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "acdocman.h"
#include "acedads.h"
#include "assoc/association_maintenance.h"
#include "assoc/audit_drawing.h"
#include "assoc/handle_text.h"
#include "assoc_test_support.h"
#include "dbapserv.h"
#include "dbdict.h"
#include "dbsymtb.h"
#include "gi/recording_world_draw.h"
#include "mark/vadu_msv.h"
#include "mark/viewport_projection.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

using namespace assoctest;
using namespace kestra;

namespace {

std::string readText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool hasEntityRecord(const std::string& drawing, const char* dxfName)
{
    return drawing.find(std::string("\n  0\r\n") + dxfName + "\r\n") != std::string::npos;
}

class LegacyDrawingTest : public AssocHostTest {
protected:
    void SetUp() override
    {
        AssocHostTest::SetUp();
        const std::string stem = "kestra-legacy-drawing-" + std::to_string(getpid()) + "-";
        for (int i = 0; i < 3; ++i)
            paths[i] = std::filesystem::temp_directory_path() / (stem + std::to_string(i) + ".dxf");
    }
    void TearDown() override
    {
        for (const auto& path : paths) std::filesystem::remove(path);
        kestraModule()->settings.auditAlert = false;
        AssocHostTest::TearDown();
    }

    // A legacy mark of the viewport in model space, as the earlier release left it.
    AcDbObjectId makeLegacyMark(AcDbObjectId viewportId)
    {
        activate(viewportId);
        ObjectOpener<VaduKestra> mark(new VaduMsv());
        {
            ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
            EXPECT_EQ(fillMarkFromViewport(*mark, *viewport), Acad::eOk);
        }
        ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId(), AcDb::kForWrite);
        AcDbObjectId markId;
        EXPECT_EQ(modelSpace->appendAcDbEntity(markId, mark.get()), Acad::eOk);
        modelSpace.close();
        mark.close();
        acedCommand(RTSTR, "._PSPACE", RTNONE);
        EXPECT_EQ(addIndexEntry(kLegacyStoreName, markId, viewportId), Acad::eOk);
        return markId;
    }

    // An outline block reference in model space for the legacy mark, which carries the mark
    // reactor so that its erasure is heard.
    AcDbObjectId giveOutlineAndReactor(AcDbObjectId markId)
    {
        AcDbObjectId blockId;
        {
            ObjectOpener<AcDbBlockTable> table(drawing()->blockTableId(), AcDb::kForWrite);
            ObjectOpener<AcDbBlockTableRecord> block(new AcDbBlockTableRecord());
            block->setName("KS_LEGACY_OUTLINE");
            EXPECT_EQ(table->add(blockId, block.get()), Acad::eOk);
            ObjectOpener<AcDbLine> line(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 10, 0)));
            AcDbObjectId lineId;
            EXPECT_EQ(block->appendAcDbEntity(lineId, line.get()), Acad::eOk);
        }
        AcDbObjectId referenceId;
        {
            ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId(), AcDb::kForWrite);
            ObjectOpener<AcDbBlockReference> reference(new AcDbBlockReference(AcGePoint3d(5, 5, 0), blockId));
            EXPECT_EQ(modelSpace->appendAcDbEntity(referenceId, reference.get()), Acad::eOk);
        }
        AcDbObjectId reactorId;
        EXPECT_EQ(getReactorObject(kStoreName, "PERSISTANT_REACTORS_MS", true, reactorId), Acad::eOk);
        ObjectOpener<AcDbEntity> mark(markId, AcDb::kForWrite);
        static_cast<VaduKestra*>(mark.get())->setOutlineBlockId(referenceId);
        mark->addPersistentReactor(reactorId);
        return referenceId;
    }

    void saveAs(const std::filesystem::path& path)
    {
        ASSERT_EQ(acedCommand(RTSTR, "SAVEAS", RTSTR, path.string().c_str(), RTNONE), RTNORM);
    }
    void open(const std::filesystem::path& path)
    {
        ASSERT_EQ(acedCommand(RTSTR, "OPEN", RTSTR, path.string().c_str(), RTNONE), RTNORM);
        kestraModule()->documents->makeCurrent(curDoc());
    }
    // What the module does when a drawing has been loaded into a document.
    std::string audit()
    {
        takePrinted();
        auditDrawing(curDoc());
        return takePrinted();
    }
    bool legacyStoreExists()
    {
        ObjectOpener<AcDbDictionary> named(drawing()->namedObjectsDictionaryId(), AcDb::kForRead);
        return named->has(kLegacyStoreName);
    }
    std::vector<AcDbObjectId> legacyMarks()
    {
        std::vector<AcDbObjectId> found;
        ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId(), AcDb::kForRead);
        AcDbBlockTableRecordIterator* it = nullptr;
        modelSpace->newIterator(it);
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            it->getEntityId(id);
            ObjectOpener<AcDbEntity> entity(id, AcDb::kForRead);
            EXPECT_FALSE(entity->isAProxy());
            if (VaduMsv::cast(entity.get()) != nullptr) found.push_back(id);
        }
        delete it;
        return found;
    }

    std::filesystem::path paths[3];
};

}  // namespace

TEST_F(LegacyDrawingTest, LegacyMarksOpenWholeAndTheAuditPurgesThemWithTheirOutline)
{
    const AcDbObjectId first = makeViewport();
    ViewportFrame otherFrame;
    otherFrame.center = AcGePoint3d(400.0, 100.0, 0.0);
    const AcDbObjectId second = makeViewport(otherFrame);
    const AcDbObjectId withOutline = makeLegacyMark(first);
    const AcDbObjectId outline = giveOutlineAndReactor(withOutline);
    makeLegacyMark(second);
    const AcDbObjectId current = makeAssociatedMark(second);
    const std::string markHandle = handleOf(current);
    const std::string outlineHandle = handleOf(outline);
    saveAs(paths[0]);
    const std::string legacyFile = readText(paths[0]);
    EXPECT_TRUE(hasEntityRecord(legacyFile, "MSVIEWPORT"));
    EXPECT_NE(legacyFile.find("VaduMsv"), std::string::npos);
    EXPECT_NE(legacyFile.find("VADU_MSVIEWPORT"), std::string::npos);

    // Opened, before the audit: whole legacy marks that draw and take a grip edit.
    open(paths[0]);
    std::vector<AcDbObjectId> marks = legacyMarks();
    ASSERT_EQ(marks.size(), 2u);
    {
        arx::gi::RecordingWorldDraw recorder(drawing());
        bool drawn = false;
        EXPECT_EQ(recorder.drawEntity(marks[0], &drawn), Acad::eOk);
        EXPECT_TRUE(drawn);
        EXPECT_GE(recorder.takePrimitives().size(), 3u);
        ObjectOpener<AcDbEntity> mark(marks[0], AcDb::kForWrite);
        auto* legacy = static_cast<VaduMsv*>(mark.get());
        const AcGePoint3d center = legacy->center();
        AcDbIntArray grips;
        grips.append(0);
        EXPECT_EQ(legacy->moveGripPointsAt(grips, AcGeVector3d(7.0, 3.0, 0.0)), Acad::eOk);
        EXPECT_TRUE(legacy->center().isEqualTo(center + AcGeVector3d(7.0, 3.0, 0.0)));
    }

    // The audit erases both, the outline with the first, and reports as it always does; the
    // current mark stays associated.
    kestraModule()->settings.auditAlert = true;
    EXPECT_EQ(audit(), std::string("Automatic audit of '") + curDoc()->fileName() +
                           "' for the orphan Kestra. \nAudit  Succeeded.\n");
    EXPECT_TRUE(legacyMarks().empty());
    {
        ObjectOpener<AcDbEntity> erasedOutline(objectIdOfHandle(outlineHandle.c_str()), AcDb::kForRead, true);
        ASSERT_TRUE(erasedOutline);
        EXPECT_TRUE(erasedOutline->isErased());
        ObjectOpener<VaduKestra> kept(objectIdOfHandle(markHandle.c_str()), AcDb::kForRead);
        EXPECT_TRUE(kept);
    }
    EXPECT_EQ(countInModelSpace("VaduKestra"), 1);

    // Saved again: no legacy mark and no outline left. Marks were erased at this open, so the
    // store itself goes at the next one.
    saveAs(paths[1]);
    const std::string purgedFile = readText(paths[1]);
    EXPECT_FALSE(hasEntityRecord(purgedFile, "MSVIEWPORT"));
    EXPECT_FALSE(hasEntityRecord(purgedFile, "INSERT"));
    open(paths[1]);
    EXPECT_TRUE(legacyStoreExists());
    kestraModule()->settings.auditAlert = false;
    EXPECT_EQ(audit(), "");
    EXPECT_FALSE(legacyStoreExists());
    saveAs(paths[2]);
    const std::string cleanFile = readText(paths[2]);
    EXPECT_EQ(cleanFile.find("VADU_MSVIEWPORT"), std::string::npos);
    EXPECT_FALSE(hasEntityRecord(cleanFile, "MSVIEWPORT"));
    EXPECT_TRUE(hasEntityRecord(cleanFile, "KESTRA"));
}
