#include "properties/property_values.h"

#include <cmath>

#include "adscodes.h"
#include "mark/standard_scales.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"

namespace kestra {

// Named rather than anonymous: these short names would meet others in a unity batch.
namespace shown_values {

void real(VARIANT& value, double number)
{
    value.vt = VT_R8;
    value.dblVal = number;
}

void integer(VARIANT& value, long number)
{
    value.vt = VT_I4;
    value.lVal = number;
}

// The centre in the current UCS; as stored when the host cannot transform it.
AcGePoint3d ucsCenter(const VaduKestra& mark)
{
    return transformPoint(mark.center(), RTWCS, RTUCS).value_or(mark.center());
}

void centerX(const VaduKestra& mark, VARIANT& value) { real(value, ucsCenter(mark).x); }
void centerY(const VaduKestra& mark, VARIANT& value) { real(value, ucsCenter(mark).y); }
void centerZ(const VaduKestra& mark, VARIANT& value) { real(value, ucsCenter(mark).z); }
void standardScale(const VaduKestra& mark, VARIANT& value) { integer(value, formatScale(mark.zoomXp()).number); }
void zoomXp(const VaduKestra& mark, VARIANT& value) { real(value, mark.zoomXp()); }
void inverseZoomXp(const VaduKestra& mark, VARIANT& value) { real(value, 1.0 / mark.zoomXp()); }
void rotation(const VaduKestra& mark, VARIANT& value) { integer(value, shownRotation(mark.rotation())); }
void width(const VaduKestra& mark, VARIANT& value) { real(value, mark.width()); }
void height(const VaduKestra& mark, VARIANT& value) { real(value, mark.height()); }
void area(const VaduKestra& mark, VARIANT& value) { real(value, mark.height() * mark.width()); }
void viewDirX(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewDir().x); }
void viewDirY(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewDir().y); }
void viewDirZ(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewDir().z); }
void targetX(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewTarget().x); }
void targetY(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewTarget().y); }
void targetZ(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewTarget().z); }
void viewCenterX(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewCenter().x); }
void viewCenterY(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewCenter().y); }
void viewCenterZ(const VaduKestra& mark, VARIANT& value) { real(value, mark.viewCenter().z); }
void backZ(const VaduKestra& mark, VARIANT& value) { real(value, mark.backZ()); }
void frontZ(const VaduKestra& mark, VARIANT& value) { real(value, mark.frontZ()); }
void lensLength(const VaduKestra& mark, VARIANT& value) { real(value, mark.lensLength()); }
void viewMode(const VaduKestra& mark, VARIANT& value) { integer(value, mark.viewMode()); }

constexpr const char* kGeometry = "Geometry";
constexpr const char* kPerspective = "Perspective";

constexpr PropertyDefinition kDefinitions[] = {
    {"Center X", kGeometry, VT_R8, false, "X coordinate of the center point of the Kestra object.", centerX},
    {"Center Y", kGeometry, VT_R8, false, "Y coordinate of the center point of the Kestra object.", centerY},
    {"Center Z", kGeometry, VT_R8, false, "Z coordinate of the center point of the Kestra object.", centerZ},
    {"Standard scales", kGeometry, VT_USERDEFINED, false, "List of standard scales available (imperial and metric). ",
     standardScale},
    {"Zoom XP", kGeometry, VT_R8, false, "Plotting scale ratio.", zoomXp},
    {"1 / Zoom XP", kGeometry, VT_R8, true, "Inverted Zoom XP \ni.e. Kestra/Viewport height ratio.", inverseZoomXp},
    {"Rotation", kGeometry, VT_I4, false,
     "Angle of rotation of the Kestra object. \n(in degrees and anticlockwise)\nIn paper space, the "
     "corresponding angle is of opposite sign.",
     rotation},
    {"Width", kGeometry, VT_R8, true,
     "Number of units measured according to the X axis of the Kestra object.\n(read only)", width},
    {"Height", kGeometry, VT_R8, true,
     "Number of units measured according to the Y axis of the Kestra object.\n(read only)", height},
    {"Area", kGeometry, VT_R8, true, "Surface area covered in terms of paper space units.\n(read only) ", area},
    {"Viewdir X", kPerspective, VT_R8, true, "Viewdir - X coordinate (read only).", viewDirX},
    {"Viewdir Y", kPerspective, VT_R8, true, "Viewdir - Y coordinate (read only).", viewDirY},
    {"Viewdir Z", kPerspective, VT_R8, true, "Viewdir - Z coordinate (read only).", viewDirZ},
    {"Target X", kPerspective, VT_R8, true, "X coordinate of the target point for the floating viewport (read only).",
     targetX},
    {"Target Y", kPerspective, VT_R8, true, "Y coordinate of the target point for the floating viewport (read only).",
     targetY},
    {"Target Z", kPerspective, VT_R8, true, "Z coordinate of the target point for the floating viewport (read only).",
     targetZ},
    {"Center of view X", kPerspective, VT_R8, true,
     "X coordinate of the center of view in the floating viewport (read only).", viewCenterX},
    {"Center of view Y", kPerspective, VT_R8, true,
     "Y coordinate of the center of view in the floating viewport (read only).", viewCenterY},
    {"Center of view Z", kPerspective, VT_R8, true,
     "Z coordinate of the center of view in the floating viewport (read only).", viewCenterZ},
    {"BackZ", kPerspective, VT_R8, true, "BackZ.\n(read only)", backZ},
    {"FrontZ", kPerspective, VT_R8, true, "FrontZ.\n(read only)", frontZ},
    {"Length of the lens", kPerspective, VT_R8, true,
     "Length of the lens (in millimeters) used in perspective viewing for the floating viewport (read only)",
     lensLength},
    {"ViewMode", kPerspective, VT_I4, true, "View mode for the floating viewport using bitcode.\n(read only)",
     viewMode},
};

}  // namespace shown_values

std::span<const PropertyDefinition> markPropertyDefinitions() { return shown_values::kDefinitions; }

long shownRotation(double rotation)
{
    double degrees = -rotation * kDegreesPerRadian;
    if (std::fabs(degrees - 360.0) <= 1e-6) degrees = 0.0;
    // An angle a hair short of a whole degree (30 typed, 29.9999999 computed back from the
    // corners) is that degree, not the one below it.
    const double whole = std::round(degrees);
    if (std::fabs(degrees - whole) <= 1e-6) return static_cast<long>(whole);
    return static_cast<long>(std::trunc(degrees));
}

}  // namespace kestra
