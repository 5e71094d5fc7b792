// The parts of the creation step of the make command, in the order the step runs them.
#pragma once
#include <optional>
#include <string>

#include "dbcolor.h"
#include "dbmain.h"
#include "mark/viewport_projection.h"
#include "shell/result_buffer.h"

class AcDbViewport;
class VaduKestra;

namespace kestra {

// Prints a failure of the step on a line of its own.
void printStepFailure(const char* message);

// The floating viewport of the current layout whose number is `number`; null (reported)
// when the paper space cannot be walked or no viewport has that number.
AcDbObjectId findViewportByNumber(int number);

// Lifts the viewport's display lock (its layer unlocked for the change); true when it was
// locked.
bool liftDisplayLock(AcDbObjectId viewportId);

// Moves the viewport's target to the centre of its view without moving the display, and
// locks the display again when it was locked.
void normaliseView(AcDbObjectId viewportId, bool displayLocked);

// Layer, colour and linetype for a new entity; a null id or an absent colour keeps the
// host's default.
struct EntityAttributes {
    AcDbObjectId layer;
    std::optional<Adesk::UInt16> colorIndex;
    AcDbObjectId linetype;
};

struct MarkAttributes {
    EntityAttributes mark;
    EntityAttributes outline;
    ResultBufferHolder extendedData;  // carried over from the mark this one replaces
};

// The attributes of the new mark of the viewport: taken from its old mark, which is erased
// with its outline and its index pair, or else from the AutoLISP variable set of the
// viewport's display lock, or else the defaults ("Defpoints", "CONTINUOUS", colour 1).
MarkAttributes markAttributes(AcDbObjectId viewportId, bool displayLocked);
void applyAttributes(AcDbEntity& entity, const EntityAttributes& attributes);

// The layout the viewport lies in (group 410 of its entity data; empty when absent).
std::string layoutNameOf(AcDbObjectId viewportId);

// The clip boundary named by the viewport's entity data (its last group 340); null for a
// rectangular viewport.
AcDbObjectId clipBoundaryOf(AcDbObjectId viewportId);

// Warns when the mark's layer, or the layer "0" its outline's entities use, cannot be seen.
void checkLayerVisibility(AcDbObjectId layerId);

// The outline block reference of an irregular viewport: a copy of its clip boundary in an
// anonymous block, placed over the mark. Null (reported) when a part fails.
AcDbObjectId makeOutlineBlock(AcDbObjectId viewportId, AcDbObjectId clipBoundaryId, AcDbObjectId markId,
                              const Corners& paperCorners, const EntityAttributes& attributes,
                              const std::string& layoutName);

// The clip boundary's copy in an outline block carried from the sheet to the block's frame
// (the viewport's centre to the origin, its sides along X and Y): every entity of the block
// takes colour by block, layer "0" and linetype ByBlock.
void mapOutlineBlock(AcDbObjectId blockId, const AcGePoint3d& sheetCenter, const Corners& paperCorners);

// Attaches the reactor objects to the viewport and its clip entity; false (reported) on a
// failure.
bool attachViewportSide(AcDbObjectId viewportId, AcDbObjectId markId);
// Attaches the outline reactor object to the outline block reference; false (reported) on a
// failure.
bool attachOutlineSide(AcDbObjectId outlineId, AcDbObjectId markId);
// The reactor object under the key of the association store (made when missing), its owner
// reference set to `owner`.
AcDbObjectId ownedReactorObject(const char* key, AcDbObjectId owner);

}  // namespace kestra
