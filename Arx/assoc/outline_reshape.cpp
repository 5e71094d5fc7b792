#include "assoc/outline_reshape.h"

#include <memory>

#include "assoc/layer_state.h"
#include "commands/creation_parts.h"
#include "dbents.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "mark/vadu_kestra.h"
#include "mark/viewport_projection.h"
#include "shell/object_opener.h"

namespace kestra {

void placeOutlineOverMark(AcDbBlockReference& outline, const VaduKestra& mark)
{
    outline.setPosition(mark.center());
    outline.setNormal(mark.normal());
    outline.setRotation(-mark.rotation());
    if (mark.zoomXp() != 0.0) outline.setScaleFactors(AcGeScale3d(1.0 / mark.zoomXp()));
}

Acad::ErrorStatus placeOutlineOverMark(AcDbObjectId outlineId, const VaduKestra& mark)
{
    return changeOnUnlockedLayer<AcDbBlockReference>(
        outlineId, [&](AcDbBlockReference& outline) { placeOutlineOverMark(outline, mark); });
}

Acad::ErrorStatus reshapeMarkFromOutline(VaduKestra& mark, const AcDbBlockReference& outline)
{
    const AcGeMatrix3d toModel = outline.blockTransform();
    const AcGeScale3d scale = outline.scaleFactors();
    const double xOverY = scale.sy != 0.0 ? scale.sx / scale.sy : 1.0;
    const double zoomXp = mark.zoomXp();
    const double a = mark.width() * zoomXp * 0.5;
    const double b = mark.height() * zoomXp * xOverY * 0.5;
    AcGePoint3d corners[4] = {AcGePoint3d(a, b, 0), AcGePoint3d(-a, b, 0), AcGePoint3d(-a, -b, 0),
                              AcGePoint3d(a, -b, 0)};
    for (AcGePoint3d& corner : corners) corner.transformBy(toModel);
    return mark.reshape(corners[0], corners[1], corners[2], corners[3], mark.paperHeight());
}

Acad::ErrorStatus reshapeMarkFromOutline(AcDbObjectId markId, const AcDbBlockReference& outline)
{
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) return mark.openStatus();
    Acad::ErrorStatus reshaped = Acad::eOk;
    const Acad::ErrorStatus upgraded =
        changeOnUnlockedLayer(mark, [&](VaduKestra& opened) { reshaped = reshapeMarkFromOutline(opened, outline); });
    return upgraded != Acad::eOk ? upgraded : reshaped;
}

namespace {

// Erases every entity of the block.
void emptyBlock(AcDbObjectId blockId)
{
    ObjectOpener<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (!block) return;
    AcDbBlockTableRecordIterator* rawIterator = nullptr;
    if (block->newIterator(rawIterator) != Acad::eOk || rawIterator == nullptr) return;
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(rawIterator);
    AcDbObjectIdArray ids;
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        if (iterator->getEntityId(id) == Acad::eOk) ids.append(id);
    }
    block.close();
    for (int i = 0; i < ids.length(); ++i)
        if (ObjectOpener<AcDbEntity> entity(ids[i], AcDb::kForWrite); entity) entity->erase();
}

}  // namespace

bool rebuildOutlineBlock(AcDbObjectId outlineId, AcDbObjectId clipId, const AcGePoint3d& sheetCenter,
                         const std::array<AcGePoint3d, 4>& paperCorners)
{
    if (clipId.isNull()) return false;
    AcDbObjectId blockId;
    AcDbDatabase* database = nullptr;
    {
        ObjectOpener<AcDbBlockReference> outline(outlineId, AcDb::kForRead);
        if (!outline) return false;
        blockId = outline->blockTableRecord();
        database = outline->database();
    }
    if (blockId.isNull() || database == nullptr) return false;
    emptyBlock(blockId);
    AcDbObjectIdArray originals;
    originals.append(clipId);
    AcDbIdMapping idMap;
    if (database->deepCloneObjects(originals, blockId, idMap) != Acad::eOk) return false;
    mapOutlineBlock(blockId, sheetCenter, paperCorners);
    return true;
}

}  // namespace kestra
