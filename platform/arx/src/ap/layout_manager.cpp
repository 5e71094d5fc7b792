// The application's layout manager: layouts made current, created, deleted and renamed in a
// database, with the layout-manager reactors told before and after each change.
#include "AcDbLMgr.h"

#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "db/class_registration.h"
#include "dbapserv.h"
#include "dblayout.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "ed/views.h"

namespace {

std::vector<AcDbLayoutManagerReactor*>& reactors()
{
    static std::vector<AcDbLayoutManagerReactor*> list;
    return list;
}

// Each event goes to a copy of the list, so that a reactor may remove itself while it hears.
template <class Event>
void tell(Event&& event)
{
    for (AcDbLayoutManagerReactor* reactor : std::vector(reactors())) event(*reactor);
}

AcDbDatabase* databaseOr(AcDbDatabase* given)
{
    return given != nullptr ? given : acdbHostApplicationServices()->workingDatabase();
}

AcDbObjectId layoutNamed(AcDbDatabase* db, const char* name)
{
    if (db == nullptr || name == nullptr) return AcDbObjectId();
    return arx::views::findLayout(db, name);
}

// The name the layout is known by (its stored spelling, not the one asked for).
std::string storedName(AcDbObjectId layoutId) { return arx::views::layoutName(layoutId); }

void registerClasses()
{
    AcDbLayoutManagerReactor::rxInit();
    AcDbLayoutManager::rxInit();
}

const bool kRegistered = arx::db::addClassInitializer(registerClasses);

}  // namespace

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbLayoutManagerReactor, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcDbLayoutManager, AcRxObject)

void AcDbLayoutManagerReactor::layoutCreated(const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutToBeRemoved(const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutRemoved(const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::abortLayoutRemoved(const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutToBeCopied(const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutCopied(const char*, const AcDbObjectId&, const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::abortLayoutCopied(const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutToBeRenamed(const char*, const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutRenamed(const char*, const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::abortLayoutRename(const char*, const char*, const AcDbObjectId&) {}
void AcDbLayoutManagerReactor::layoutSwitched(const char*, const AcDbObjectId&) {}

Acad::ErrorStatus AcDbLayoutManager::setCurrentLayout(const char* newname)
{
    const AcDbObjectId id = layoutNamed(databaseOr(nullptr), newname);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setCurrentLayoutId(id);
}

Acad::ErrorStatus AcDbLayoutManager::setCurrentLayoutId(AcDbObjectId layoutId)
{
    AcDbDatabase* db = databaseOr(nullptr);
    const Acad::ErrorStatus es = arx::views::setCurrentLayout(db, layoutId);
    if (es != Acad::eOk) return es;
    const std::string name = storedName(layoutId);
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutSwitched(name.c_str(), layoutId); });
    return Acad::eOk;
}

const char* AcDbLayoutManager::findActiveLayout(Adesk::Boolean allowModel)
{
    static std::string active;
    AcDbDatabase* db = databaseOr(nullptr);
    const bool model = allowModel && arx::views::isTiled(db);
    active = storedName(model ? arx::views::modelLayoutId(db) : arx::views::currentLayoutId(db));
    return active.c_str();
}

AcDbObjectId AcDbLayoutManager::getActiveLayoutBTRId()
{
    AcDbDatabase* db = databaseOr(nullptr);
    const AcDbObjectId layoutId =
        arx::views::isTiled(db) ? arx::views::modelLayoutId(db) : arx::views::currentLayoutId(db);
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    return layout.openStatus() == Acad::eOk ? layout->getBlockTableRecordId() : AcDbObjectId();
}

AcDbLayout* AcDbLayoutManager::findLayoutNamed(const char* name, Adesk::Boolean leaveRecordOpen,
                                               AcDbDatabase* pDatabase)
{
    const AcDbObjectId id = layoutNamed(databaseOr(pDatabase), name);
    if (id.isNull()) return nullptr;
    AcDbLayout* layout = nullptr;
    if (acdbOpenObject(layout, id, AcDb::kForRead) != Acad::eOk) return nullptr;
    if (leaveRecordOpen) return layout;
    layout->close();
    return layout;  // closed: tells only that the layout exists
}

Adesk::Boolean AcDbLayoutManager::layoutExists(const char* name, AcDbDatabase* pDatabase)
{
    return !layoutNamed(databaseOr(pDatabase), name).isNull();
}

Acad::ErrorStatus AcDbLayoutManager::createLayout(const char* newname, AcDbObjectId& layoutId,
                                                  AcDbObjectId& blockTableRecId, AcDbDatabase* pDatabase)
{
    if (newname == nullptr) return Acad::eInvalidInput;
    const Acad::ErrorStatus es = arx::views::createLayout(databaseOr(pDatabase), newname, layoutId);
    if (es != Acad::eOk) return es;
    AcDbObjectPointer<AcDbLayout> layout(layoutId, AcDb::kForRead);
    blockTableRecId = layout.openStatus() == Acad::eOk ? layout->getBlockTableRecordId() : AcDbObjectId();
    layout.close();
    const std::string name = storedName(layoutId);
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutCreated(name.c_str(), layoutId); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayoutManager::deleteLayout(const char* delname)
{
    AcDbDatabase* db = databaseOr(nullptr);
    const AcDbObjectId id = layoutNamed(db, delname);
    if (id.isNull()) return Acad::eKeyNotFound;
    const AcDbObjectId successor = arx::views::neighbourLayout(db, id);
    if (arx::views::isModelLayout(id) || successor.isNull()) return Acad::eNotApplicable;
    const std::string name = storedName(id);
    const bool wasCurrent = !arx::views::isTiled(db) && arx::views::currentLayoutId(db) == id;
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutToBeRemoved(name.c_str(), id); });
    const Acad::ErrorStatus es = arx::views::deleteLayout(db, id, successor);
    if (es != Acad::eOk) {
        tell([&](AcDbLayoutManagerReactor& r) { r.abortLayoutRemoved(id); });
        return es;
    }
    if (wasCurrent) {
        const std::string next = storedName(successor);
        tell([&](AcDbLayoutManagerReactor& r) { r.layoutSwitched(next.c_str(), successor); });
    }
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutRemoved(name.c_str(), id); });
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayoutManager::renameLayout(const char* oldname, const char* newname)
{
    AcDbDatabase* db = databaseOr(nullptr);
    const AcDbObjectId id = layoutNamed(db, oldname);
    if (id.isNull()) return Acad::eKeyNotFound;
    if (newname == nullptr) return Acad::eInvalidInput;
    const std::string before = storedName(id);
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutToBeRenamed(before.c_str(), newname, id); });
    const Acad::ErrorStatus es = arx::views::renameLayout(db, id, newname);
    if (es != Acad::eOk) {
        tell([&](AcDbLayoutManagerReactor& r) { r.abortLayoutRename(before.c_str(), newname, id); });
        return es;
    }
    tell([&](AcDbLayoutManagerReactor& r) { r.layoutRenamed(before.c_str(), newname, id); });
    return Acad::eOk;
}

int AcDbLayoutManager::countLayouts(AcDbDatabase* pDatabase)
{
    return static_cast<int>(arx::views::layoutNames(databaseOr(pDatabase)).size());
}

void AcDbLayoutManager::addReactor(AcDbLayoutManagerReactor* newObj)
{
    if (newObj != nullptr && std::find(reactors().begin(), reactors().end(), newObj) == reactors().end())
        reactors().push_back(newObj);
}

void AcDbLayoutManager::removeReactor(AcDbLayoutManagerReactor* delObj)
{
    reactors().erase(std::remove(reactors().begin(), reactors().end(), delObj), reactors().end());
}

AcDbLayoutManager* AcDbHostApplicationServices::layoutManager() const
{
    static AcDbLayoutManager manager;
    return &manager;
}
