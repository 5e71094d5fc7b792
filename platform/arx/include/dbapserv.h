// Host application services: the working database (the one ADS calls, entmake and new
// entities' defaults use) and the layout manager.
#pragma once
#include "acadstrc.h"
#include "adesk.h"

class AcDbDatabase;
class AcDbLayoutManager;

class ACAD_PORT AcDbHostApplicationServices {
public:
    virtual ~AcDbHostApplicationServices() = default;
    AcDbDatabase* workingDatabase() const { return mpWorkingDatabase; }
    // The documents layer sets it when a document becomes current (null when none is open).
    void setWorkingDatabase(AcDbDatabase* pDatabase) { mpWorkingDatabase = pDatabase; }
    // The application's layout manager (AcDbLMgr.h).
    AcDbLayoutManager* layoutManager() const;

private:
    AcDbDatabase* mpWorkingDatabase = nullptr;
};

ACAD_PORT AcDbHostApplicationServices* acdbHostApplicationServices();
