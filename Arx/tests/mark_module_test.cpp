// The mark class as the loaded module registers it at start-up and deletes it at KSUNLOAD.
// A loaded module stays locked in its process, so the check runs in a child process.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "acedads.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"
#include "registry_fixture.h"
#include "rxclass.h"
#include "rxregsvc.h"

namespace {

void require(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "failed: %s\n", what);
    std::fflush(stderr);
    _exit(1);
}

AcDbObjectId appendToModelSpace(AcDbDatabase* db, AcDbEntity* entity)
{
    AcDbBlockTable* table = nullptr;
    db->getBlockTable(table, AcDb::kForRead);
    AcDbBlockTableRecord* space = nullptr;
    table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite);
    table->close();
    AcDbObjectId id;
    space->appendAcDbEntity(id, entity);
    entity->close();
    space->close();
    return id;
}

void loadCheckAndUnload()
{
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    const std::string module = std::string(std::getenv("KESTRA_BIN_DIR")) + "/Kestra2000.arx";
    require(acrxFindClass("VaduKestra") == nullptr, "no mark class before the module loads");
    require(acrxDynamicLinker->loadModule(module.c_str(), false), "the module loads");
    AcRxClass* mark = acrxFindClass("VaduKestra");
    require(mark != nullptr, "the mark class is registered at start-up");
    require(std::string(mark->dxfName()) == "KESTRA" && std::string(mark->appName()) == "KESTRA",
            "DXF and application name KESTRA");
    require(mark->proxyFlags() == 1 && mark->dwgVersion() == 15, "proxy flags 1, drawing version 15");
    require(mark->myParent() == AcDbEntity::desc(), "derived from AcDbEntity");

    auto* db = new AcDbDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    const AcDbObjectId id = appendToModelSpace(db, AcDbEntity::cast(mark->create()));
    acedCommand(RTSTR, "KSUNLOAD", RTNONE);
    require(acrxFindClass("VaduKestra") == nullptr, "KSUNLOAD deletes the class");
    AcDbEntity* left = nullptr;
    require(acdbOpenAcDbEntity(left, id, AcDb::kForRead) == Acad::eOk && left->isAProxy(),
            "a mark left in a drawing is a proxy without its class");
    left->close();
    _exit(0);
}

class MarkModuleTest : public RegistryTest {};

}  // namespace

TEST_F(MarkModuleTest, TheModuleRegistersTheMarkClassAndKsUnloadDeletesIt)
{
    EXPECT_EXIT(loadCheckAndUnload(), ::testing::ExitedWithCode(0), "");
}
