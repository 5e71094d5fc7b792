// Registers the entity and proxy classes with the runtime when the database's classes are
// registered.
#include "db/class_registration.h"
#include "db/entities/proxy_record.h"
#include "dbents.h"
#include "dbpl.h"
#include "dbproxy.h"

namespace {

void registerEntityClasses()
{
    AcDbCurve::rxInit();
    AcDbLine::rxInit();
    AcDbCircle::rxInit();
    AcDbArc::rxInit();
    AcDbPolyline::rxInit();
    AcDb2dPolyline::rxInit();
    AcDb3dPolyline::rxInit();
    AcDb2dVertex::rxInit();
    AcDb3dPolylineVertex::rxInit();
    AcDbSequenceEnd::rxInit();
    AcDbBlockReference::rxInit();
    AcDbViewport::rxInit();
    AcDbProxyEntity::rxInit();
    AcDbProxyObject::rxInit();
    arx::db::registerProxyHooks();
}

const bool registered = arx::db::addClassInitializer(&registerEntityClasses);

}  // namespace
