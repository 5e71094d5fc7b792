// The creation step of the make command, in its order: the viewport found and normalised,
// the old mark's attributes taken, the new mark made and associated, the outline of an
// irregular viewport, the viewport side, and the completion line.
#include "commands/mark_creation.h"

#include "acdb.h"
#include "acdbads_db.h"
#include "acutads.h"
#include "assoc/association_store.h"
#include "assoc/layer_state.h"
#include "assoc/layout_hyperlink.h"
#include "assoc/store_access.h"
#include "commands/command_echo.h"
#include "commands/creation_parts.h"
#include "commands/space_state.h"
#include "dbents.h"
#include "dbsymtb.h"
#include "mark/mark_messages.h"
#include "mark/vadu_kestra.h"
#include "shell/document_registry.h"
#include "shell/message_routing.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

constexpr const char* kCannotAddObject = "Cannot add object to database!";

// The number of the floating viewport the user works in; nothing (reported) outside one.
std::optional<int> currentFloatingViewport()
{
    const std::optional<SpaceState> space = readSpaceState();
    if (!space) return std::nullopt;
    if (space->tileMode == 1 || space->viewport < 2) {
        showRefusal("You must be inside a floating viewport to save it. \n");
        return std::nullopt;
    }
    return space->viewport;
}

// Appends the entity to model space; false (reported) when it could not be added.
bool appendToModelSpace(AcDbEntity* entity, AcDbObjectId& id)
{
    ObjectOpener<AcDbBlockTable> table(workingDatabase()->blockTableId(), AcDb::kForRead);
    if (!table) {
        printStepFailure("Cannot open block table!");
        return false;
    }
    AcDbObjectId modelSpaceId;
    table->getAt(ACDB_MODEL_SPACE, modelSpaceId);
    ObjectOpener<AcDbBlockTableRecord> modelSpace(modelSpaceId, AcDb::kForWrite);
    if (!modelSpace) {
        printStepFailure("Cannot open the model space block!");
        return false;
    }
    if (modelSpace->appendAcDbEntity(id, entity) != Acad::eOk) {
        printStepFailure(kCannotAddObject);
        return false;
    }
    return true;
}

// The mark of the viewport (open for read), with its attributes, hyperlink and carried
// extended data, appended to model space and left open for write.
bool makeMark(AcDbObjectId viewportId, MarkAttributes& attributes, const std::string& layoutName,
              ObjectOpener<VaduKestra>& mark, Corners& paper)
{
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    if (!viewport) {
        printStepFailure(kCannotReadViewport);
        return false;
    }
    paper = paperCorners(*viewport);
    mark.adopt(new VaduKestra());
    fillMarkFromViewport(*mark, *viewport);
    viewport.close();
    applyAttributes(*mark, attributes.mark);
    if (attributes.extendedData) mark->setXData(attributes.extendedData.get());
    attributes.extendedData.reset();
    AcDbObjectId markId;
    if (!appendToModelSpace(mark.get(), markId)) {
        mark.close();
        return false;
    }
    setLayoutHyperlink(*mark, layoutName);
    return true;
}

// The mark side of the association: the count, the mark's reactor object, the property
// marker, the visibility check, the index pair and the viewport's partner record.
void associateMark(ObjectOpener<VaduKestra>& mark, AcDbObjectId viewportId)
{
    if (DocumentState* state = currentDocumentState())
        state->associationCount = (state->associationCount < 0 ? 0 : state->associationCount) + 1;
    const AcDbObjectId markId = mark->objectId();
    const AcDbObjectId reactor = ownedReactorObject(kMarkReactorKey, markId);
    if (!reactor.isNull()) mark->addPersistentReactor(reactor);
    mark->attachPropertyMarker();
    const AcDbObjectId layerId = mark->layerId();
    mark.close();
    checkLayerVisibility(layerId);
    addIndexEntry(kStoreName, markId, viewportId);
    writePartnerHandle(viewportId, markId.handle());
}

// The outline of an irregular viewport, recorded in its mark.
bool addOutline(AcDbObjectId viewportId, AcDbObjectId clipBoundary, AcDbObjectId markId, const Corners& paper,
                const EntityAttributes& attributes, const std::string& layoutName, AcDbObjectId& outlineId)
{
    outlineId = makeOutlineBlock(viewportId, clipBoundary, markId, paper, attributes, layoutName);
    if (outlineId.isNull()) return false;
    writePartnerHandle(outlineId, markId.handle());
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) {
        printStepFailure(kCannotReadMark);
        return false;
    }
    bool recorded = false;
    changeOnUnlockedLayer(mark, [&](VaduKestra& m) { recorded = m.setOutlineBlockId(outlineId) == Acad::eOk; });
    if (!recorded) printStepFailure(kCannotWriteMark);
    return recorded;
}

}  // namespace

void printStepFailure(const char* message) { acutPrintf("%s\n", message); }

void createMarkForCurrentViewport()
{
    DocumentState* state = currentDocumentState();
    if (state != nullptr) state->reactorsSuspended = true;
    const std::optional<int> number = currentFloatingViewport();
    if (!number) return;
    CommandEchoOff echoOff;
    if (!echoOff.active()) return;
    acdbRegApp(kStoreName);

    const AcDbObjectId viewportId = findViewportByNumber(*number);
    if (viewportId.isNull()) return;
    const bool displayLocked = liftDisplayLock(viewportId);
    normaliseView(viewportId, displayLocked);
    ads_name viewportName;
    if (acdbGetAdsName(viewportName, viewportId) != Acad::eOk) {
        printStepFailure("Cannot obtain the name of the Viewport object!");
        return;
    }
    MarkAttributes attributes = markAttributes(viewportId, displayLocked);
    const std::string layoutName = layoutNameOf(viewportId);

    ObjectOpener<VaduKestra> mark;
    Corners paper;
    if (!makeMark(viewportId, attributes, layoutName, mark, paper)) return;
    const AcDbObjectId markId = mark->objectId();
    associateMark(mark, viewportId);

    AcDbObjectId outlineId;
    const AcDbObjectId clipBoundary = clipBoundaryOf(viewportId);
    if (!clipBoundary.isNull() &&
        !addOutline(viewportId, clipBoundary, markId, paper, attributes.outline, layoutName, outlineId))
        return;
    if (!attachViewportSide(viewportId, markId)) return;
    if (!echoOff.restore()) return;
    if (!outlineId.isNull() && !attachOutlineSide(outlineId, markId)) return;
    acutPrintf("\r%80s", "");
    acutPrintf("\r\t%s\n", "--> Marking of the view completed.");
}

}  // namespace kestra
