#include "mark/drag_scales.h"

#include <cmath>
#include <cstdlib>

#include "acedads.h"
#include "mark/vadu_kestra.h"
#include "shell/result_buffer.h"

namespace kestra {

namespace {

constexpr const char* kScaleListVariable = "vadu_mep::lst_echelle";
constexpr const char* kScaleListMissing = "Cannot find the variable: vadu_mep::lst_echelle";
constexpr double kLabelTolerance = 1e-4;

DragScales& lists()
{
    static DragScales scales;
    return scales;
}

// The items of a list element: its direct members, nested lists skipped. `item` points
// after the element's RTLB; on return it points after the matching RTLE.
std::vector<const resbuf*> elementItems(const resbuf*& item)
{
    std::vector<const resbuf*> members;
    int depth = 0;
    for (; item != nullptr; item = item->rbnext) {
        if (item->restype == RTLB) ++depth;
        else if (item->restype == RTLE && depth-- == 0) {
            item = item->rbnext;
            break;
        } else if (depth == 0 && item->restype != RTDOTE) members.push_back(item);
    }
    return members;
}

// A name text followed by a ratio text; anything else is not a scale.
bool appendScale(const std::vector<const resbuf*>& members, VaduKestra& mark, const AcGeVector3d& direction)
{
    if (members.size() < 2 || members[0]->restype != RTSTR || members[1]->restype != RTSTR) return false;
    if (members[0]->resval.rstring == nullptr || members[1]->resval.rstring == nullptr) return false;
    const double ratio = std::strtod(members[1]->resval.rstring, nullptr);
    lists().names.emplace_back(members[0]->resval.rstring);
    lists().ratios.push_back(ratio);
    mark.appendExtraGrip(mark.center() + direction * ratio);
    return true;
}

}  // namespace

const DragScales& dragScales() { return lists(); }

void resetDragScales() { lists() = DragScales{}; }

Acad::ErrorStatus loadDragScales(VaduKestra& mark, const AcGeVector3d& direction)
{
    resbuf* value = nullptr;
    if (acedGetSym(kScaleListVariable, &value) != RTNORM) {
        if (value != nullptr) acutRelRb(value);
        acutPrintf("%s\n", kScaleListMissing);
        return Acad::eInvalidInput;
    }
    ResultBufferHolder holder(value);
    if (value == nullptr || value->restype != RTLB) return Acad::eInvalidInput;
    const resbuf* item = value->rbnext;
    while (item != nullptr && item->restype != RTLE) {
        if (item->restype == RTLB) {
            item = item->rbnext;
            appendScale(elementItems(item), mark, direction);
        } else {
            item = item->rbnext;  // not a list: skipped
        }
    }
    return Acad::eOk;
}

const char* dragScaleNameFor(double ratio)
{
    const DragScales& scales = lists();
    const char* name = nullptr;
    for (std::size_t i = 0; i < scales.ratios.size() && i < scales.names.size(); ++i)
        if (std::fabs(scales.ratios[i] - ratio) <= kLabelTolerance) name = scales.names[i].c_str();
    return name;
}

}  // namespace kestra
