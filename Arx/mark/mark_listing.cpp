// The mark's LIST report: after the host's header, its centre (in the UCS and the world when
// they differ), its angle, its width and height in model and paper space, its scale, and
// then the listing of its viewport.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "acdbads.h"
#include "acutads.h"
#include "assoc/handle_text.h"
#include "dbents.h"
#include "mark/mark_messages.h"
#include "mark/standard_scales.h"
#include "mark/viewport_projection.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"

namespace {

constexpr int kLabelColumn = 15;
constexpr int kModelColumn = 25;
constexpr int kPaperColumn = 45;
constexpr int kLineWidth = 80;
constexpr const char* kNoViewport = "Cannot associate a floating viewport to the current Kestra object.";
constexpr const char* kRule = "------------------------------------------------------";

// One report line: texts placed at fixed columns of a blank line, which ends after the last
// text placed. Text beyond the line's width is cut.
class ReportLine {
public:
    ReportLine() : text_(kLineWidth, ' ') {}
    ReportLine& put(int column, const std::string& text)
    {
        const std::size_t length = std::min(text.size(), static_cast<std::size_t>(kLineWidth - column));
        text_.replace(static_cast<std::size_t>(column), length, text, 0, length);
        end_ = std::max(end_, static_cast<std::size_t>(column) + length);
        return *this;
    }
    std::string str() const { return text_.substr(0, end_); }

private:
    std::string text_;
    std::size_t end_ = 0;
};

struct Units {
    int worldUcs, angular, angularPrecision, linear, linearPrecision;
};

std::optional<Units> readUnits()
{
    int values[5] = {};
    const char* names[5] = {"WORLDUCS", "AUNITS", "AUPREC", "LUNITS", "LUPREC"};
    for (int i = 0; i < 5; ++i) {
        const std::optional<int> value = kestra::readIntegerVariable(names[i]);
        if (!value) {
            kestra::printUnreadableVariable(names[i]);
            return std::nullopt;
        }
        values[i] = *value;
    }
    return Units{values[0], values[1], values[2], values[3], values[4]};
}

std::string lengthText(double value, const Units& units)
{
    char text[128] = {};
    if (acdbRToS(value, units.linear, units.linearPrecision, text) != RTNORM) return {};
    return text;
}

std::string angleText(double value, const Units& units)
{
    char text[128] = {};
    if (acdbAngToS(value, units.angular, units.angularPrecision, text) != RTNORM) return {};
    return text;
}

std::string pointText(const char* label, const AcGePoint3d& p, const Units& units)
{
    return std::string(label) + lengthText(p.x, units) + "  Y=" + lengthText(p.y, units) +
           "  Z=" + lengthText(p.z, units);
}

}  // namespace

void VaduKestra::list() const
{
    assertReadEnabled();
    AcDbEntity::list();
    if (listReport()) listViewport();
}

bool VaduKestra::listReport() const
{
    const std::optional<Units> units = readUnits();
    if (!units) return false;
    if (units->worldUcs == 1) {
        acutPrintf("\n%s\n",
                   ReportLine().put(kLabelColumn, pointText("Center point X=", mCenter, *units)).str().c_str());
    } else {
        acutPrintf(
            "\n%s\n",
            ReportLine()
                .put(kLabelColumn, pointText("(UCS) Center point X=",
                                             kestra::transformPoint(mCenter, RTWCS, RTUCS).value_or(mCenter), *units))
                .str()
                .c_str());
        acutPrintf("%s\n",
                   ReportLine().put(kLabelColumn, pointText("(WCS) Center point X=", mCenter, *units)).str().c_str());
    }
    acutPrintf("%s\n\n",
               ReportLine().put(kLabelColumn, "Angle").put(kModelColumn, angleText(-mRotation, *units)).str().c_str());

    const double modelWidth = mCorners[0].distanceTo(mCorners[1]);
    const double modelHeight = mCorners[0].distanceTo(mCorners[3]);
    const double k = mPaperHeight / modelHeight;
    acutPrintf("%s\n", ReportLine().put(kModelColumn, "Model Space").put(kPaperColumn, "Paper Space").str().c_str());
    acutPrintf("%s\n", ReportLine()
                           .put(kLabelColumn, "Width")
                           .put(kModelColumn, lengthText(modelWidth, *units))
                           .put(kPaperColumn, lengthText(modelWidth * k, *units))
                           .str()
                           .c_str());
    acutPrintf("%s\n\n", ReportLine()
                             .put(kLabelColumn, "Height")
                             .put(kModelColumn, lengthText(modelHeight, *units))
                             .put(kPaperColumn, lengthText(modelHeight * k, *units))
                             .str()
                             .c_str());
    acutPrintf("%s", ReportLine().put(kLabelColumn, "Scale relative to paper space: ").str().c_str());
    acutPrintf("%sxp\n", kestra::formatScale(k).text.c_str());
    acutPrintf("\n%s\n\n", ReportLine().put(kLabelColumn, kRule).str().c_str());
    return true;
}

void VaduKestra::listViewport() const
{
    kestra::ObjectOpener<AcDbViewport> viewport(kestra::objectIdOfHandle(mViewportHandle), AcDb::kForRead);
    if (!viewport) {
        acutPrintf("%s\n", kNoViewport);
        return;
    }
    viewport->list();
}
