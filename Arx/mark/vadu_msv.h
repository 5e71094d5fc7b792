// VaduMsv, the mark class of an earlier release. The module never makes one: it declares the
// class so that drawings still holding such marks open with whole objects rather than proxies,
// draw and edit them, until the audit at open purges them with their legacy store.
//
// It is the mark itself with a handful of variations (its DXF subclass marker and property
// marker, the outline's fill type, the corner grip without the run-time scales, centre and
// rotation recomputed after a DXF read). To the host it is a class of its own derived from
// AcDbEntity, so nothing that looks for VaduKestra marks takes a legacy one for a current one.
#pragma once
#include "mark/vadu_kestra.h"

class VaduMsv : public VaduKestra {
public:
    ACRX_DECLARE_MEMBERS(VaduMsv);

    VaduMsv();
    ~VaduMsv() override;

protected:
    const char* propertyMarkerText() const override;
    bool setsOutlineFillType() const override;
    bool loadsRunTimeScales() const override;
    // The centre from corners 0 and 2, and the rotation as the unsigned angle between
    // corner 0 - corner 1 and the world X axis, whatever the file said.
    void completeDxfRead() override;
};

namespace kestra {

// Registers the legacy class with the host once per load, beside the mark's class; the
// teardown deletes it with the module's other classes.
void registerLegacyMarkClass();

}  // namespace kestra
