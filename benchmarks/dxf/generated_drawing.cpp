#include "generated_drawing.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "db/dxf/drawing_file.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbsymtb.h"

namespace dxfbench {
namespace {

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

GeneratedDrawing& GeneratedDrawing::instance()
{
    if (!held()) held().reset(new GeneratedDrawing);
    return *held();
}

void GeneratedDrawing::release() { held().reset(); }

std::unique_ptr<GeneratedDrawing>& GeneratedDrawing::held()
{
    static std::unique_ptr<GeneratedDrawing> drawing;
    return drawing;
}

GeneratedDrawing::GeneratedDrawing() : db_(std::make_unique<AcDbDatabase>(true, true))
{
    db_->disableUndoRecording(true);
    char folder[] = "/tmp/kestra-dxf-drawing-XXXXXX";
    if (!::mkdtemp(folder) || !fillModelSpace(*db_)) {
        problem_ = "could not build the drawing";
        return;
    }
    folder_ = folder;
    path_ = folder_ + "/bench.dxf";
    std::string message;
    if (arx::dxf::writeDrawingFile(db_.get(), path_.c_str(), message) != Acad::eOk) {
        problem_ = "save failed: " + message;
        return;
    }
    struct stat info {};
    ::stat(path_.c_str(), &info);
    megabytes_ = static_cast<double>(info.st_size) / 1e6;
}

GeneratedDrawing::~GeneratedDrawing()
{
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
}

}  // namespace dxfbench
