// The outline block reference of an irregular viewport: its clip boundary copied into an
// anonymous block, carried from the sheet to the block's own frame, and placed in model space
// over the viewport's mark.
#include <memory>

#include "acdbads_db.h"
#include "assoc/layout_hyperlink.h"
#include "assoc/store_access.h"
#include "commands/creation_parts.h"
#include "commands/mark_creation.h"
#include "commands/symbol_records.h"
#include "dbents.h"
#include "dbidmap.h"
#include "dbsymtb.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

// A new anonymous block; null when the host does not take it.
AcDbObjectId newAnonymousBlock()
{
    ObjectOpener<AcDbBlockTable> table(workingDatabase()->blockTableId(), AcDb::kForWrite);
    if (!table) {
        printStepFailure("Cannot open block table!");
        return AcDbObjectId();
    }
    ObjectOpener<AcDbBlockTableRecord> block(new AcDbBlockTableRecord());
    block->setPathName("");
    block->setName("*U");
    AcDbObjectId blockId;
    if (table->add(blockId, block.get()) != Acad::eOk) return AcDbObjectId();
    return blockId;
}

// The matrix that carries the viewport's frame on the sheet to the world frame: its centre to
// the origin, its horizontal to X and its vertical to Y.
AcGeMatrix3d sheetToBlock(const AcGePoint3d& center, const Corners& paper)
{
    const AcGeVector3d xAxis = (paper[3] - paper[2]).normal();
    const AcGeVector3d yAxis = (paper[1] - paper[2]).normal();
    const AcGeVector3d zAxis = xAxis.crossProduct(yAxis).normal();
    AcGeMatrix3d matrix;
    matrix.setToAlignCoordSys(center, xAxis, yAxis, zAxis, AcGePoint3d::kOrigin, AcGeVector3d::kXAxis,
                              AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
    return matrix;
}

// Every entity of the block: colour by block, layer "0", linetype ByBlock, in the block's
// frame.
void mapClone(AcDbObjectId blockId, const AcGeMatrix3d& toBlock)
{
    const AcDbObjectId layerZero = layerNamed("0");
    const AcDbObjectId byBlock = linetypeNamed("ByBlock");
    ObjectOpener<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (!block) return;
    AcDbBlockTableRecordIterator* rawIterator = nullptr;
    if (block->newIterator(rawIterator) != Acad::eOk || rawIterator == nullptr) return;
    std::unique_ptr<AcDbBlockTableRecordIterator> iterator(rawIterator);
    block.close();
    for (; !iterator->done(); iterator->step()) {
        AcDbObjectId id;
        iterator->getEntityId(id);
        ObjectOpener<AcDbEntity> entity(id, AcDb::kForWrite);
        if (!entity) continue;
        entity->setColorIndex(0);
        if (!layerZero.isNull()) entity->setLayer(layerZero);
        if (!byBlock.isNull()) entity->setLinetype(byBlock);
        entity->transformBy(toBlock);
    }
}

}  // namespace

void mapOutlineBlock(AcDbObjectId blockId, const AcGePoint3d& sheetCenter, const Corners& paperCorners)
{
    mapClone(blockId, sheetToBlock(sheetCenter, paperCorners));
}

AcDbObjectId makeOutlineBlock(AcDbObjectId viewportId, AcDbObjectId clipBoundaryId, AcDbObjectId markId,
                              const Corners& paperCorners, const EntityAttributes& attributes,
                              const std::string& layoutName)
{
    AcDbObjectId blockId = newAnonymousBlock();
    if (blockId.isNull()) return AcDbObjectId();
    AcDbObjectIdArray originals;
    originals.append(clipBoundaryId);
    AcDbIdMapping idMap;
    if (workingDatabase()->deepCloneObjects(originals, blockId, idMap) != Acad::eOk) {
        printStepFailure("Cloning was not performed correctly!");
        return AcDbObjectId();
    }
    AcGePoint3d sheetCenter;
    {
        ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
        if (!viewport) {
            printStepFailure(kCannotReadViewport);
            return AcDbObjectId();
        }
        sheetCenter = viewport->centerPoint();
    }
    mapOutlineBlock(blockId, sheetCenter, paperCorners);

    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) {
        printStepFailure(kCannotReadMark);
        return AcDbObjectId();
    }
    ObjectOpener<AcDbBlockReference> outline(new AcDbBlockReference(mark->center(), blockId));
    outline->setNormal(mark->normal());
    outline->setRotation(-mark->rotation());
    if (mark->zoomXp() != 0.0) outline->setScaleFactors(AcGeScale3d(1.0 / mark->zoomXp()));
    mark.close();
    applyAttributes(*outline, attributes);

    ObjectOpener<AcDbBlockTable> table(workingDatabase()->blockTableId(), AcDb::kForRead);
    AcDbObjectId modelSpaceId;
    if (table) table->getAt(ACDB_MODEL_SPACE, modelSpaceId);
    table.close();
    ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId, AcDb::kForWrite);
    AcDbObjectId outlineId;
    if (!modelSpace || modelSpace->appendAcDbEntity(outlineId, outline.get()) != Acad::eOk) {
        printStepFailure("Cannot add the irregular object block!");
        return AcDbObjectId();
    }
    setLayoutHyperlink(*outline, layoutName);
    return outlineId;
}

}  // namespace kestra
