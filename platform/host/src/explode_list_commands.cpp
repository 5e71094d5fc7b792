// EXPLODE replaces each object selected by the pieces its explode gives (appended to the same
// space, the object erased); LIST prints each object's own list report.
#include <string>

#include "acutads.h"
#include "adscodes.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "ed/views.h"
#include "host_command_sets.h"

namespace arx::host {
namespace {

using ed::CommandOutcome;

void deletePieces(AcDbVoidPtrArray& pieces)
{
    for (int i = 0; i < pieces.length(); ++i) delete static_cast<AcDbEntity*>(pieces[i]);
    pieces.setLogicalLength(0);
}

// Appends the pieces to the block that owns the entity; the pieces not appended are deleted.
bool appendPieces(AcDbObjectId ownerId, AcDbVoidPtrArray& pieces)
{
    AcDbObjectPointer<AcDbBlockTableRecord> owner(ownerId, AcDb::kForWrite);
    if (owner.openStatus() != Acad::eOk) {
        deletePieces(pieces);
        return false;
    }
    for (int i = 0; i < pieces.length(); ++i) {
        auto* piece = static_cast<AcDbEntity*>(pieces[i]);
        if (owner->appendAcDbEntity(piece) == Acad::eOk) piece->close();
        else delete piece;
    }
    pieces.setLogicalLength(0);
    return true;
}

// Explodes one entity: its pieces go in first, then it is erased; false when it cannot be
// exploded (it is left as it was).
bool explodeOne(AcDbObjectId id)
{
    AcDbVoidPtrArray pieces;
    AcDbObjectId ownerId;
    {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk) return false;
        if (entity->explode(pieces) != Acad::eOk || pieces.isEmpty()) {
            deletePieces(pieces);
            return false;
        }
        ownerId = entity->ownerId();
    }
    if (!appendPieces(ownerId, pieces)) return false;
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    return entity.openStatus() == Acad::eOk && entity->erase() == Acad::eOk;
}

CommandOutcome explode()
{
    ed::EntityList chosen;
    const int status = selectForEditing(chosen);
    if (status != RTNORM) return outcomeOf(status);
    std::size_t refused = 0;
    for (AcDbObjectId id : chosen)
        if (!explodeOne(id)) ++refused;
    if (refused > 0) say(std::to_string(refused) + (refused == 1 ? " was" : " were") + " not able to be exploded.");
    return CommandOutcome::Ended;
}

CommandOutcome list()
{
    ed::EntityList chosen;
    ed::SelectionRules rules;  // LIST reads: objects on locked layers are listed too
    AcDbDatabase* db = views::workingDatabase();
    chosen = ed::inCurrentSpace(db, ed::liveMembers(ed::SelectionSets::instance().pickFirst()));
    if (!chosen.empty()) say(std::to_string(chosen.size()) + " found");
    else if (const int status = ed::selectObjects(rules, chosen); status != RTNORM) return outcomeOf(status);
    for (AcDbObjectId id : chosen) {
        AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
        if (entity.openStatus() == Acad::eOk) entity->list();
    }
    return CommandOutcome::Ended;
}

}  // namespace

void defineExplodeAndList()
{
    auto& processor = ed::CommandProcessor::instance();
    processor.defineHostCommand("EXPLODE", explode, ed::kUsesPickFirst);
    processor.defineHostCommand("LIST", list, ed::kUsesPickFirst | ed::kNotUndoable);
}

}  // namespace arx::host
