// KSREFRESH and KSREPAIR on a layout of 1,000, 2,000 and 4,000 associated viewports: each must
// stay linear (the time at most 2.2 times as long when the count doubles).
// "RefreshAligned" checks every viewport against its mark and finds nothing to correct;
// "RefreshMoved" re-aims every viewport after every mark was moved; "Repair" rebuilds the
// associations and runs the update pass.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "acdb.h"
#include "acdocman.h"
#include "acedads.h"
#include "assoc/association_maintenance.h"
#include "assoc/ms_vp_pers_reactor.h"
#include "benchmark_host.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "ed/console.h"
#include "host.h"
#include "mark/vadu_kestra.h"
#include "shell/command_table.h"
#include "shell/document_registry.h"
#include "shell/kestra_module.h"
#include "shell/object_opener.h"

namespace {

using kestra::ObjectOpener;

constexpr double kViewHeight = 60.0;
constexpr double kPaperHeight = 6.0;
constexpr double kPaperWidth = 8.0;

// How many viewports the last command said it corrected (the command line is not shown).
int& corrections()
{
    static int count = 0;
    return count;
}

void startHostOnce()
{
    static bool started = false;
    if (started) return;
    started = true;
    // KESTRA_BENCH_ECHO=1 shows the command line on standard error.
    static const bool echo = std::getenv("KESTRA_BENCH_ECHO") != nullptr;
    kestra::KestraModule& module = benchhost::startHostOnce([](std::string_view text) {
        if (echo) std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.find("Correction of the viewport view") != std::string_view::npos) ++corrections();
    });
    kestra::addCommands(module);
}

using benchhost::blockNamed;

void setShort(const char* name, int value)
{
    resbuf rb;
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    acedSetVar(name, &rb);
}

// A new drawing whose first layout holds `count` plan viewports on a grid, each with a mark
// outlining what it shows, associated through the index and the reactors.
void drawingWithViewports(int count)
{
    startHostOnce();
    acedCommand(RTSTR, "NEW", RTNONE);
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    kestra::kestraModule()->documents->makeCurrent(curDoc());
    // The layout gets its paper-space viewport first; the marks read the view variables of
    // model space, and the layout is made current again after.
    setShort("TILEMODE", 0);
    setShort("TILEMODE", 1);
    ObjectOpener<AcDbBlockTableRecord> paper(blockNamed(db, ACDB_PAPER_SPACE), AcDb::kForWrite);
    ObjectOpener<AcDbBlockTableRecord> model(blockNamed(db, ACDB_MODEL_SPACE), AcDb::kForWrite);
    AcDbObjectIdArray marks;
    const double scale = kViewHeight / kPaperHeight;
    for (int i = 0; i < count; ++i) {
        const AcGePoint3d center(10.0 * (i % 100), 10.0 * (i / 100), 0.0);
        const AcGePoint2d viewCenter(100.0 * (i % 100), 100.0 * (i / 100));
        ObjectOpener<AcDbViewport> viewport(new AcDbViewport());
        viewport->setCenterPoint(center);
        viewport->setWidth(kPaperWidth);
        viewport->setHeight(kPaperHeight);
        viewport->setViewCenter(viewCenter);
        viewport->setViewHeight(kViewHeight);
        viewport->setViewportId(static_cast<Adesk::Int16>(i + 2));
        viewport->setOn();
        AcDbObjectId viewportId;
        paper->appendAcDbEntity(viewportId, viewport.get());
        AcDbHandle handle;
        viewport->getAcDbHandle(handle);
        const AcGePoint3d c(viewCenter.x, viewCenter.y, 0.0);
        const double w = kPaperWidth / 2 * scale;
        const double h = kPaperHeight / 2 * scale;
        ObjectOpener<VaduKestra> mark(new VaduKestra());
        mark->setFromViewport(c + AcGeVector3d(w, h, 0), c + AcGeVector3d(-w, h, 0), c + AcGeVector3d(-w, -h, 0),
                              c + AcGeVector3d(w, -h, 0), kPaperHeight, handle, AcGeVector3d::kZAxis);
        AcDbObjectId markId;
        model->appendAcDbEntity(markId, mark.get());
        marks.append(markId);
    }
    paper.close();
    model.close();
    kestra::rebuildAssociations(marks);
    db->disableUndoRecording(true);
    setShort("TILEMODE", 0);
}

// Every mark moved aside, outside any command (nothing follows it until the refresh).
void moveEveryMark()
{
    AcDbObjectIdArray marks;
    kestra::collectModelSpaceEntities("VaduKestra", marks);
    kestra::DocumentState* state = kestra::currentDocumentState();
    state->reactorsSuspended = true;
    AcGeMatrix3d shift;
    shift.setToTranslation(AcGeVector3d(7.0, -3.0, 0.0));
    for (int i = 0; i < marks.length(); ++i) {
        ObjectOpener<VaduKestra> mark(marks[i], AcDb::kForWrite);
        if (mark) mark->transformBy(shift);
    }
    state->reactorsSuspended = false;
}

void RefreshAligned(benchmark::State& state)
{
    drawingWithViewports(static_cast<int>(state.range(0)));
    corrections() = 0;
    acedCommand(RTSTR, "KSREFRESH", RTNONE);
    if (corrections() != 0) state.SkipWithError("the viewports did not agree with their marks");
    for (auto _ : state) acedCommand(RTSTR, "KSREFRESH", RTNONE);
    state.SetComplexityN(state.range(0));
}

void RefreshMoved(benchmark::State& state)
{
    drawingWithViewports(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        moveEveryMark();
        corrections() = 0;
        state.ResumeTiming();
        acedCommand(RTSTR, "KSREFRESH", RTNONE);
        if (corrections() != state.range(0)) {
            state.SkipWithError("not every viewport was corrected");
            break;
        }
    }
    state.SetComplexityN(state.range(0));
}

void Repair(benchmark::State& state)
{
    drawingWithViewports(static_cast<int>(state.range(0)));
    for (auto _ : state) acedCommand(RTSTR, "KSREPAIR", RTNONE);
    state.SetComplexityN(state.range(0));
}

// The host runs the commands a module command starts on threads of their own, taking turns
// with it: the CPU time of the whole process is what is compared.
BENCHMARK(RefreshAligned)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Complexity(benchmark::oN);
BENCHMARK(RefreshMoved)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->MeasureProcessCPUTime()
    ->Complexity(benchmark::oN);
BENCHMARK(Repair)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) { return benchhost::runBenchmarks(argc, argv); }
