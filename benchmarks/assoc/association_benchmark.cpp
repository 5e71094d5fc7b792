// The audit of a drawing's associations when it is opened, on drawings with 5,000, 10,000
// and 20,000 associated marks: it must stay linear (the 20,000-mark figure at most 2.2 times
// the 10,000-mark one). "Audit" times the audit of an open drawing; "OpenAndAudit" reads the
// drawing file and audits it, as opening a drawing in the host does. "ReshapeAfterStretch"
// reshapes every mark after all its viewports were stretched in one command, which must stay
// linear as well. "EraseAllMarks" times the host's ERASE of every mark of a drawing of 1,000,
// 2,000 and 4,000 in one command, each mark taken out of the association store as its erase notification asks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acdb.h"
#include "acdocman.h"
#include "acedads.h"
#include "aced.h"
#include "assoc/msv_editor_reactor.h"
#include "assoc/association_maintenance.h"
#include "benchmark_host.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "assoc/viewport_reshape.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "host.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

namespace {

namespace fs = std::filesystem;
using kestra::ObjectOpener;

using benchhost::blockNamed;
using benchhost::scratchFolder;

void startHostOnce() { benchhost::startHostOnce(); }

// A drawing of `count` viewports on the sheet, each with its associated mark, saved once.
fs::path drawingWithMarks(int count)
{
    static std::map<int, fs::path> made;
    if (auto found = made.find(count); found != made.end()) return found->second;
    startHostOnce();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    acedCommand(RTSTR, "NEW", RTNONE);
    db = acdbHostApplicationServices()->workingDatabase();
    kestra::kestraModule()->documents->makeCurrent(curDoc());
    ObjectOpener<AcDbBlockTableRecord> paper(blockNamed(db, ACDB_PAPER_SPACE), AcDb::kForWrite);
    ObjectOpener<AcDbBlockTableRecord> model(blockNamed(db, ACDB_MODEL_SPACE), AcDb::kForWrite);
    AcDbObjectIdArray marks;
    for (int i = 0; i < count; ++i) {
        const double x = 10.0 * (i % 100);
        const double y = 10.0 * (i / 100);
        ObjectOpener<AcDbViewport> viewport(new AcDbViewport());
        viewport->setCenterPoint(AcGePoint3d(x, y, 0.0));
        viewport->setWidth(8.0);
        viewport->setHeight(6.0);
        viewport->setViewHeight(60.0);
        AcDbObjectId viewportId;
        paper->appendAcDbEntity(viewportId, viewport.get());
        AcDbHandle handle;
        viewport->getAcDbHandle(handle);
        ObjectOpener<VaduKestra> mark(new VaduKestra());
        const AcGePoint3d c(10.0 * x, 10.0 * y, 0.0);
        mark->setFromViewport(c + AcGeVector3d(40, 30, 0), c + AcGeVector3d(-40, 30, 0), c + AcGeVector3d(-40, -30, 0),
                              c + AcGeVector3d(40, -30, 0), 6.0, handle, AcGeVector3d::kZAxis);
        AcDbObjectId markId;
        model->appendAcDbEntity(markId, mark.get());
        marks.append(markId);
    }
    paper.close();
    model.close();
    kestra::rebuildAssociations(marks);
    const fs::path path = scratchFolder() / ("marks-" + std::to_string(count) + ".dxf");
    db->dxfOut(path.c_str());
    made[count] = path;
    return path;
}

// Opens the drawing file as the working database (the host's open without its commands).
AcDbDatabase* readDrawing(const fs::path& path)
{
    auto* db = new AcDbDatabase(false, true);
    if (db->dxfIn(path.c_str()) != Acad::eOk) {
        delete db;
        return nullptr;
    }
    return db;
}

// The audit of the working database's associations as the drawing-open message runs it.
int auditAssociations()
{
    if (kestra::purgeLegacyMarks()) kestra::eraseStore(kestra::kLegacyStoreName);
    return kestra::verifyAssociations(true, true, nullptr);
}

// A drawing file read and made the working database, without undo recording; the previous
// working database is current again and the drawing gone when it goes.
struct WorkingDrawing {
    explicit WorkingDrawing(const fs::path& path) : db(readDrawing(path))
    {
        if (db == nullptr) return;
        acdbHostApplicationServices()->setWorkingDatabase(db);
        db->disableUndoRecording(true);
    }
    ~WorkingDrawing()
    {
        if (db == nullptr) return;
        acdbHostApplicationServices()->setWorkingDatabase(previous);
        delete db;
    }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;

    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    AcDbDatabase* db;
};

void Audit(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const fs::path path = drawingWithMarks(count);
    const WorkingDrawing drawing(path);
    AcDbDatabase* db = drawing.db;
    if (db == nullptr) {
        state.SkipWithError("the drawing does not open");
        return;
    }
    for (auto _ : state)
        if (auditAssociations() != count) state.SkipWithError("marks lost their association");
    state.SetComplexityN(count);
}

void OpenAndAudit(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const fs::path path = drawingWithMarks(count);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    for (auto _ : state) {
        AcDbDatabase* db = readDrawing(path);
        if (db == nullptr) {
            state.SkipWithError("the drawing does not open");
            break;
        }
        acdbHostApplicationServices()->setWorkingDatabase(db);
        if (auditAssociations() != count) state.SkipWithError("marks lost their association");
        acdbHostApplicationServices()->setWorkingDatabase(previous);
        state.PauseTiming();
        delete db;
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}

// Every viewport of the drawing made 1 unit wider, with the snapshot taken before.
std::vector<kestra::PendingEdit> stretchEveryViewport(AcDbDatabase* db)
{
    std::vector<kestra::PendingEdit> edits;
    ObjectOpener<AcDbBlockTableRecord> paper(blockNamed(db, ACDB_PAPER_SPACE), AcDb::kForRead);
    AcDbBlockTableRecordIterator* raw = nullptr;
    paper->newIterator(raw);
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(raw);
    paper.close();
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        iterator->getEntityId(id);
        ObjectOpener<AcDbViewport> viewport(id, AcDb::kForWrite);
        if (!viewport) continue;
        const kestra::ViewportSnapshot before = kestra::snapshotOf(*viewport);
        viewport->setWidth(viewport->width() + 1.0);
        edits.push_back(kestra::PendingEdit{before, before.centerPoint});
    }
    return edits;
}

void ReshapeAfterStretch(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const fs::path path = drawingWithMarks(count);
    const WorkingDrawing drawing(path);
    AcDbDatabase* db = drawing.db;
    if (db == nullptr) {
        state.SkipWithError("the drawing does not open");
        return;
    }
    kestra::DocumentState* record = kestra::currentDocumentState();
    for (auto _ : state) {
        state.PauseTiming();
        record->reactorsSuspended = true;
        const std::vector<kestra::PendingEdit> edits = stretchEveryViewport(db);
        state.ResumeTiming();
        kestra::reshapeEditedMarks(edits, "STRETCH");
        record->reactorsSuspended = false;
    }
    state.SetComplexityN(count);
}

void EraseAllMarks(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const fs::path path = drawingWithMarks(count);
    // The module's editor reactor ends each command as in the host: the index is written then.
    std::unique_ptr<kestra::MsvEditorReactor>& editorReactor = kestra::kestraModule()->editorReactor;
    if (!editorReactor) {
        editorReactor = std::make_unique<kestra::MsvEditorReactor>();
        acedEditor->addReactor(editorReactor.get());
    }
    for (auto _ : state) {
        state.PauseTiming();
        arx::host::runScriptText("OPEN " + path.string() + "\n");
        kestra::kestraModule()->documents->makeCurrent(curDoc());
        arx::host::runScriptText("SETVAR TILEMODE 1\n");
        state.ResumeTiming();
        arx::host::runScriptText("._ERASE _ALL \n");
        state.PauseTiming();
        kestra::IndexPairs left;
        kestra::readIndexPairs(kestra::kStoreName, left);
        if (!left.empty()) state.SkipWithError("the index still holds erased marks");
        kestra::kestraModule()->documents->remove(curDoc());
        arx::host::runScriptText("CLOSE\n");
        state.ResumeTiming();
    }
    state.SetComplexityN(count);
}

BENCHMARK(EraseAllMarks)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(Audit)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(OpenAndAudit)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(ReshapeAfterStretch)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) { return benchhost::runBenchmarks(argc, argv); }
