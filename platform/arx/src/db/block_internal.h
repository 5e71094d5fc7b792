// Internals of block table records for the table, the loader and cloning.
#pragma once
#include "db/structure_generation.h"
#include "dbsymtb.h"

namespace arx::db {

struct BlockAccess {
    template <class F>
    static void edit(AcDbBlockTableRecord* block, F f)
    {
        f(*block->mpData);
        structureChanged();
    }
};

// Gives a block its BLOCK and ENDBLK objects when it has none (a block added to the table).
void ensureBlockBeginEnd(AcDbBlockTableRecord* block);
void setBlockFrames(AcDbBlockTableRecord* block, AcDbObjectId begin, AcDbObjectId end);
// Points the block at its layout without an open (the loader).
void setBlockLayout(AcDbBlockTableRecord* block, AcDbObjectId layoutId);
// Appends an entity to the block's list without the checks of appendAcDbEntity (the loader).
void linkEntity(AcDbBlockTableRecord* block, AcDbObjectId entityId);
// Puts one of the block's entities first in its list (the loader).
void moveEntityToFront(AcDbBlockTableRecord* block, AcDbObjectId entityId);
// What a file's BLOCK record said about the block: origin, flags, path, description.
void applyBlockBegin(AcDbBlockTableRecord* block, const AcDbBlockBegin* begin);

}  // namespace arx::db
