#include "db/carried_items.h"

#include "db/dxf_item_filer.h"
#include "db/item_filing.h"

namespace arx::db {

bool readRawItem(AcDbDxfFiler* filer, DxfItem& item)
{
    if (auto* items = dynamic_cast<DxfItemFiler*>(filer)) {
        const DxfItem* next = items->next();
        if (next == nullptr) return false;
        item = *next;
        return true;
    }
    resbuf rb;
    if (filer->readItem(&rb) != Acad::eOk) return false;
    return itemFromResbuf(rb, item);
}

void writeCarried(AcDbDxfFiler* filer, const CarriedItems& carried)
{
    for (const DxfItem& item : carried.items) writeItemTo(filer, item);
}

}  // namespace arx::db
