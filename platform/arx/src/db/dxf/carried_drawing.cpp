#include "db/dxf/carried_drawing.h"

#include "db/database_access.h"

namespace arx::dxf {
namespace {
const std::string kAttachmentKey = "dxf.carried";
}

CarriedDrawing* carriedDrawing(AcDbDatabase* db)
{
    return static_cast<CarriedDrawing*>(db::attachment(db, kAttachmentKey).get());
}

CarriedDrawing& makeCarriedDrawing(AcDbDatabase* db)
{
    std::shared_ptr<void>& slot = db::attachment(db, kAttachmentKey);
    if (!slot) slot = std::make_shared<CarriedDrawing>();
    return *static_cast<CarriedDrawing*>(slot.get());
}

}  // namespace arx::dxf
