// Groups of a record's subclass that the database does not model, kept in the order read and
// written back after the modelled ones (so a VPORT's snap and grid settings or a dimension
// style's variables survive a round trip).
#pragma once
#include "dbfiler.h"
#include "db/dxf_item.h"

namespace arx::db {

struct CarriedItems {
    DxfItemList items;
};

// The next item as read, exact (2D points stay 2D) when the filer is a DxfItemFiler.
bool readRawItem(AcDbDxfFiler* filer, DxfItem& item);
void writeCarried(AcDbDxfFiler* filer, const CarriedItems& carried);

}  // namespace arx::db
