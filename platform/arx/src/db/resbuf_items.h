// Result-buffer chains and item lists: what ADS callers pass and get (entity lists,
// extended data, xrecord data) against what the database keeps. Buffers are made with
// acutNewRb and their strings and chunks with malloc, so acutRelRb frees them.
#pragma once
#include <string>

#include "adsdef.h"
#include "db/dxf_item.h"

namespace arx::db {

// A new buffer holding the item (null when memory runs out).
resbuf* resbufFromItem(const DxfItem& item);
// A chain of the items (null for none); ok is false when memory ran out.
resbuf* chainFromItems(const DxfItemList& items, bool& ok);
// Appends the chain's buffers to items; false (and items unchanged) for a buffer whose type
// is not a group code with a value, or whose value is missing.
bool itemsFromChain(const resbuf* chain, DxfItemList& items, std::string* error = nullptr);

// Appends the buffer built by build at the end of a chain being made (head, tail).
void appendToChain(resbuf*& head, resbuf*& tail, resbuf* rb);

}  // namespace arx::db
