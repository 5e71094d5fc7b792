// Objects whose class leaves become proxies; proxies whose class arrives become objects.
// Each database watches the class registrations for its own objects.
#pragma once
#include <memory>

#include "rxclass.h"

class AcDbDatabase;

namespace arx::db {

class ProxyClassObserver : public AcRxClassObserver {
public:
    explicit ProxyClassObserver(AcDbDatabase* db);
    ~ProxyClassObserver() override;
    void classAdded(AcRxClass* cls) override;
    void classRemoving(AcRxClass* cls) override;

private:
    AcDbDatabase* mpDb;
};

std::unique_ptr<ProxyClassObserver> makeProxyClassObserver(AcDbDatabase* db);

}  // namespace arx::db
