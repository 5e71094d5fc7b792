// Keeping the associations whole: attaching the reactor objects, scanning model space for
// marks, rebuilding the viewport index from the marks themselves (orphans erased), and
// purging the marks of the older class.
#pragma once
#include "assoc/association_store.h"
#include "dbidar.h"
#include "shell/object_opener.h"

class AcApDocument;
class AcDbViewport;
class VaduKestra;

namespace kestra {

constexpr const char* kCannotReadMark = "Cannot open Kestra object for reading";
constexpr const char* kCannotWriteMark = "Cannot open Kestra object for writing";

// Attaches the reactor objects to a mark (and its outline block reference) and to a viewport
// (and its clip entity), each open for read and either absent, unless they carry theirs
// already. Locked layers and a display lock are lifted for the change and put back. A mark
// that cannot be opened for write is reported and ends the attaching. Not eOk only when a
// layer could not be locked again.
Acad::ErrorStatus attachReactors(const ReactorObjects& reactors, ObjectOpener<VaduKestra>* mark,
                                 ObjectOpener<AcDbViewport>* viewport);
// As above with the reactor objects of the association store, made when missing.
Acad::ErrorStatus attachReactors(ObjectOpener<VaduKestra>* mark, ObjectOpener<AcDbViewport>* viewport);

// Appends the entities of model space whose class name equals className (either case).
Acad::ErrorStatus collectModelSpaceEntities(const char* className, AcDbObjectIdArray& ids);

// Rebuilds the viewport index from the marks: every mark whose viewport exists gets its
// reactors and one index pair; an orphan is erased with its outline block reference and
// reported. The index is written once. Returns the number of marks associated.
int rebuildAssociations(AcDbObjectIdArray markIds);

// Counts the marks of model space; with rebuild, rebuilds the associations (dropping the
// store when no mark is associated) and, with repair, runs the update pass. The result is
// recorded as the document's association count.
int verifyAssociations(bool rebuild, bool repair, AcApDocument* document);

// Erases the marks listed in the legacy store. True when none was erased (the caller then
// erases the legacy store).
bool purgeLegacyMarks();

}  // namespace kestra
