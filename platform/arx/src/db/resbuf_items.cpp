#include "db/resbuf_items.h"

#include <cstdlib>
#include <cstring>

#include "acutads.h"
#include "db/item_filing.h"

namespace arx::db {

namespace {

char* mallocCopy(const std::string& text)
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

}  // namespace

resbuf* resbufFromItem(const DxfItem& item)
{
    resbuf* rb = acutNewRb(item.code);
    if (rb == nullptr) return nullptr;
    switch (item.kind) {
    case DxfItem::Kind::Text:
        rb->resval.rstring = mallocCopy(item.text);
        if (rb->resval.rstring == nullptr) {
            acutRelRb(rb);
            return nullptr;
        }
        break;
    case DxfItem::Kind::Real: rb->resval.rreal = item.real; break;
    case DxfItem::Kind::Point:
        rb->resval.rpoint[0] = item.point.x;
        rb->resval.rpoint[1] = item.point.y;
        rb->resval.rpoint[2] = item.point.z;
        break;
    case DxfItem::Kind::Integer:
        if (integerBitsOfCode(item.code) >= 32) rb->resval.rlong = static_cast<long>(item.integer);
        else rb->resval.rint = static_cast<short>(item.integer);
        break;
    case DxfItem::Kind::Binary: {
        std::size_t size = item.binary.size();
        rb->resval.rbinary.clen = static_cast<short>(size);
        rb->resval.rbinary.buf = static_cast<char*>(std::malloc(size > 0 ? size : 1));
        if (rb->resval.rbinary.buf == nullptr) {
            acutRelRb(rb);
            return nullptr;
        }
        if (size) std::memcpy(rb->resval.rbinary.buf, item.binary.data(), size);
        break;
    }
    case DxfItem::Kind::Id:
        rb->resval.rlname[0] = item.id.asOldId();
        rb->resval.rlname[1] = 0;
        break;
    case DxfItem::Kind::None: break;
    }
    return rb;
}

void appendToChain(resbuf*& head, resbuf*& tail, resbuf* rb)
{
    if (rb == nullptr) return;
    if (tail) tail->rbnext = rb;
    else head = rb;
    tail = rb;
}

resbuf* chainFromItems(const DxfItemList& items, bool& ok)
{
    ok = true;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const DxfItem& item : items) {
        resbuf* rb = resbufFromItem(item);
        if (rb == nullptr) {
            acutRelRb(head);
            ok = false;
            return nullptr;
        }
        appendToChain(head, tail, rb);
    }
    return head;
}

bool itemsFromChain(const resbuf* chain, DxfItemList& items, std::string* error)
{
    DxfItemList converted;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        DxfItem item;
        if (!itemFromResbuf(*rb, item)) {
            if (error) *error = "group " + std::to_string(rb->restype) + " has no value of its type";
            return false;
        }
        converted.push_back(std::move(item));
    }
    items.insert(items.end(), converted.begin(), converted.end());
    return true;
}

}  // namespace arx::db
