#include "db/dxf/class_demand_loader.h"

namespace arx::db {
namespace {

ClassDemandLoader& installed()
{
    static ClassDemandLoader loader;
    return loader;
}

}  // namespace

ClassDemandLoader setClassDemandLoader(ClassDemandLoader loader)
{
    ClassDemandLoader previous = std::move(installed());
    installed() = std::move(loader);
    return previous;
}

const ClassDemandLoader& classDemandLoader() { return installed(); }

}  // namespace arx::db
