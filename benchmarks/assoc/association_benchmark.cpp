// The audit of a drawing's associations when it is opened, on drawings with 5,000, 10,000
// and 20,000 associated marks: it must stay linear (the 20,000-mark figure at most 2.2 times
// the 10,000-mark one). "Audit" times the audit of an open drawing; "OpenAndAudit" reads the
// drawing file and audits it, as opening a drawing in the host does.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "acdb.h"
#include "acdocman.h"
#include "acedads.h"
#include "assoc/association_maintenance.h"
#include "benchmark_host.h"
#include "assoc/ms_vp_pers_reactor.h"
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

void Audit(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const fs::path path = drawingWithMarks(count);
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    AcDbDatabase* db = readDrawing(path);
    if (db == nullptr) {
        state.SkipWithError("the drawing does not open");
        return;
    }
    acdbHostApplicationServices()->setWorkingDatabase(db);
    db->disableUndoRecording(true);
    for (auto _ : state)
        if (auditAssociations() != count) state.SkipWithError("marks lost their association");
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    delete db;
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

BENCHMARK(Audit)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(OpenAndAudit)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) { return benchhost::runBenchmarks(argc, argv); }
