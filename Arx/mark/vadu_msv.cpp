// The legacy mark class: registration and its variations of the mark.
#include "mark/vadu_msv.h"

#include "mark/outline_geometry.h"
#include "rxclass.h"

ACRX_DXF_DEFINE_MEMBERS(VaduMsv, AcDbEntity, 15, 0, 1, MSVIEWPORT, KESTRA);

namespace kestra {

void registerLegacyMarkClass()
{
    if (acrxFindClass("VaduMsv") == nullptr) VaduMsv::rxInit();
}

}  // namespace kestra

VaduMsv::VaduMsv() = default;
VaduMsv::~VaduMsv() = default;

const char* VaduMsv::propertyMarkerText() const { return "MsViewPort"; }

bool VaduMsv::setsOutlineFillType() const { return false; }

bool VaduMsv::loadsRunTimeScales() const { return false; }

void VaduMsv::completeDxfRead()
{
    mCenter = kestra::outlineCenter(mCorners);
    mRotation = (mCorners[0] - mCorners[1]).angleTo(AcGeVector3d::kXAxis);
}
