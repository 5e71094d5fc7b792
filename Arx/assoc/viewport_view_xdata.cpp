#include "assoc/viewport_view_xdata.h"

#include <cstdlib>
#include <cstring>

#include "acutads.h"
#include "assoc/layer_state.h"
#include "dbents.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

constexpr const char* kViewRecordApp = "ACAD";

void setPoint(resbuf& item, double x, double y, double z)
{
    item.resval.rpoint[0] = x;
    item.resval.rpoint[1] = y;
    item.resval.rpoint[2] = z;
}

// Rewrites the view items of the chain in place and unlinks the groups that are not kept.
void rewriteViewRecord(resbuf*& chain, const AcGePoint3d& target, double height, double twist,
                       const AcGeVector3d& direction)
{
    int points = 0;
    int reals = 0;
    for (resbuf** link = &chain; *link != nullptr;) {
        resbuf& item = **link;
        bool keep = true;
        switch (item.restype) {
        case 1001:
        case 1002:
        case 1070: break;
        case 1000:
            std::free(item.resval.rstring);
            item.resval.rstring = static_cast<char*>(std::malloc(sizeof "MVIEW"));
            if (item.resval.rstring != nullptr) std::strcpy(item.resval.rstring, "MVIEW");
            break;
        case 1010:
            ++points;
            if (points == 1) setPoint(item, target.x, target.y, target.z);
            else if (points == 2) setPoint(item, direction.x, direction.y, direction.z);
            break;
        case 1040:
            ++reals;
            if (reals == 1) item.resval.rreal = twist;
            else if (reals == 2) item.resval.rreal = height;
            else if (reals == 4) item.resval.rreal = 0.0;
            break;
        default: keep = false;
        }
        if (keep) {
            link = &item.rbnext;
        } else {
            *link = item.rbnext;
            item.rbnext = nullptr;
            acutRelRb(&item);
        }
    }
}

}  // namespace

Acad::ErrorStatus writeViewportViewXData(AcDbViewport& viewport, const AcGePoint3d& target, double height, double twist,
                                         const AcGeVector3d& direction)
{
    ResultBufferHolder record(viewport.xData(kViewRecordApp));
    if (!record) return Acad::eOk;
    resbuf* chain = record.release();
    rewriteViewRecord(chain, target, height, twist, direction);
    record.reset(chain);
    if (!record) return Acad::eOk;
    LayerUnlock unlock(viewport.layerId());
    return viewport.setXData(record.get());
}

}  // namespace kestra
