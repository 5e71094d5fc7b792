// Saving and opening a generated drawing of 100,000 entities through the database (every
// object through its own DXF filing), with Debian's ezdxf reading the same file alongside.
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "db/dxf/drawing_file.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"
#include "timing.h"

namespace {

constexpr int kEntities = 100000;

AcDbEntity* makeEntity(int i)
{
    const double x = i * 0.731, y = (i % 977) * 1.618;
    switch (i % 4) {
    case 0: return new AcDbLine(AcGePoint3d(x, y, 0), AcGePoint3d(x + 10.25, y + 3.125, 0));
    case 1: return new AcDbCircle(AcGePoint3d(x, y, 0), AcGeVector3d::kZAxis, 2.5 + i * 1e-5);
    case 2: return new AcDbArc(AcGePoint3d(x, y, 0), 7.75, 0.26, 4.7);
    default: {
        auto* polyline = new AcDbPolyline;
        for (unsigned k = 0; k < 4; ++k) polyline->addVertexAt(k, AcGePoint2d(x + k * 1.1, y - k * 0.9));
        polyline->setClosed(true);
        return polyline;
    }
    }
}

bool fillModelSpace(AcDbDatabase& db)
{
    AcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, AcDb::kForRead) != Acad::eOk) return false;
    AcDbBlockTableRecord* model = nullptr;
    const Acad::ErrorStatus status = table->getAt(ACDB_MODEL_SPACE, model, AcDb::kForWrite);
    table->close();
    if (status != Acad::eOk) return false;
    for (int i = 0; i < kEntities; ++i) {
        AcDbEntity* entity = makeEntity(i);
        if (model->appendAcDbEntity(entity) != Acad::eOk) {
            delete entity;
            model->close();
            return false;
        }
        entity->close();
    }
    model->close();
    return true;
}

}  // namespace

int main()
{
    AcDbDatabase db(true, true);
    db.disableUndoRecording(true);
    if (!fillModelSpace(db)) {
        std::fprintf(stderr, "could not build the drawing\n");
        return 1;
    }
    char folder[] = "/tmp/kestra-dxf-drawing-XXXXXX";
    if (!::mkdtemp(folder)) return 1;
    const std::string path = std::string(folder) + "/bench.dxf";
    std::string message;
    Acad::ErrorStatus status = Acad::eOk;
    const double writeSeconds = dxfbench::seconds([&] { status = arx::dxf::writeDrawingFile(&db, path.c_str(), message); });
    if (status != Acad::eOk) {
        std::fprintf(stderr, "save failed: %s\n", message.c_str());
        return 1;
    }
    struct stat info {};
    ::stat(path.c_str(), &info);
    const double megabytes = static_cast<double>(info.st_size) / 1e6;
    AcDbDatabase opened(false, true);
    arx::dxf::ReadReport report;
    const double readSeconds = dxfbench::seconds([&] { status = arx::dxf::readDrawingFile(&opened, path.c_str(), report); });
    if (status != Acad::eOk) {
        std::fprintf(stderr, "open failed: %s\n", report.message.c_str());
        return 1;
    }
    std::printf("Drawing of %d entities through the database, %.1f MB\n", kEntities, megabytes);
    std::printf("  save (dxfOut, atomic file)      %8.3f s  %8.1f MB/s\n", writeSeconds, megabytes / writeSeconds);
    std::printf("  open (dxfIn, fresh database)    %8.3f s  %8.1f MB/s\n", readSeconds, megabytes / readSeconds);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::string text(static_cast<std::size_t>(info.st_size), '\0');
    if (file) {
        if (std::fread(text.data(), 1, text.size(), file) != text.size()) text.clear();
        std::fclose(file);
    }
    dxfbench::compareWithEzdxf(text, megabytes, readSeconds);
    ::unlink(path.c_str());
    ::rmdir(folder);
    return 0;
}
