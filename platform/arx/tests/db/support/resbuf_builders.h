// Result-buffer builders for the database tests; each item is made with acutNewRb, so a
// chain is released with acutRelRb.
#pragma once
#include <cstring>
#include <initializer_list>

#include "acutads.h"

namespace dbtest {

inline resbuf* text(int code, const char* value)
{
    resbuf* rb = acutNewRb(code);
    rb->resval.rstring = strdup(value);
    return rb;
}

inline resbuf* real(int code, double value)
{
    resbuf* rb = acutNewRb(code);
    rb->resval.rreal = value;
    return rb;
}

inline resbuf* point(int code, double x, double y, double z)
{
    resbuf* rb = acutNewRb(code);
    rb->resval.rpoint[0] = x;
    rb->resval.rpoint[1] = y;
    rb->resval.rpoint[2] = z;
    return rb;
}

// Links the items in order; the first is the head.
inline resbuf* chain(std::initializer_list<resbuf*> items)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (resbuf* rb : items) {
        if (tail) tail->rbnext = rb;
        else head = rb;
        tail = rb;
    }
    return head;
}

}  // namespace dbtest
