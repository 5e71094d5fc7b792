// Result-buffer lists: acutNewRb, acutRelRb and acutBuildList, and the chain helpers the
// bridge uses.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

#include "acutads.h"
#include "ut/resbuf_memory.h"
#include "ut/resbuf_types.h"

namespace arx::ut {

namespace {

void releaseValue(resbuf* rb)
{
    switch (resbufValueKind(rb->restype)) {
    case ResbufValueKind::String: std::free(rb->resval.rstring); break;
    case ResbufValueKind::Binary: std::free(rb->resval.rbinary.buf); break;
    default: break;
    }
}

// Copies what the buffer owns; false when memory runs out.
bool duplicateValue(const resbuf* from, resbuf* to)
{
    to->resval = from->resval;
    switch (resbufValueKind(from->restype)) {
    case ResbufValueKind::String:
        if (!from->resval.rstring) return true;
        to->resval.rstring = copyString(from->resval.rstring);
        return to->resval.rstring != nullptr;
    case ResbufValueKind::Binary: {
        to->resval.rbinary.buf = nullptr;
        short length = from->resval.rbinary.clen;
        if (!from->resval.rbinary.buf || length <= 0) return true;
        to->resval.rbinary.buf = static_cast<char*>(std::malloc(static_cast<std::size_t>(length)));
        if (!to->resval.rbinary.buf) return false;
        std::memcpy(to->resval.rbinary.buf, from->resval.rbinary.buf, static_cast<std::size_t>(length));
        return true;
    }
    default: return true;
    }
}

bool isTerminator(int type) { return type == 0 || type == RTNONE; }

// Reads the value of one acutBuildList item; false for a type it cannot take.
bool readBuildListValue(resbuf* rb, va_list& values)
{
    switch (resbufValueKind(rb->restype)) {
    case ResbufValueKind::None: return true;
    case ResbufValueKind::Real: rb->resval.rreal = va_arg(values, double); return true;
    case ResbufValueKind::Short: rb->resval.rint = static_cast<short>(va_arg(values, int)); return true;
    case ResbufValueKind::Long: rb->resval.rlong = va_arg(values, long); return true;
    case ResbufValueKind::String: {
        const char* text = va_arg(values, const char*);
        if (!text) return false;
        rb->resval.rstring = copyString(text);
        return rb->resval.rstring != nullptr;
    }
    case ResbufValueKind::Point: {
        const double* point = va_arg(values, const double*);
        if (!point) return false;
        rb->resval.rpoint[0] = point[0];
        rb->resval.rpoint[1] = point[1];
        // A 2D point carries X and Y only; Z is 0.
        rb->resval.rpoint[2] = rb->restype == RTPOINT ? 0.0 : point[2];
        return true;
    }
    case ResbufValueKind::Name: {
        const long* name = va_arg(values, const long*);
        if (!name) return false;
        rb->resval.rlname[0] = name[0];
        rb->resval.rlname[1] = name[1];
        return true;
    }
    case ResbufValueKind::Binary:
    case ResbufValueKind::Unknown: return false;
    }
    return false;
}

}  // namespace

void ResbufChainDeleter::operator()(resbuf* chain) const { acutRelRb(chain); }

char* copyString(const char* text)
{
    std::size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

resbuf* duplicateChain(const resbuf* chain)
{
    ResbufChain head;
    resbuf* tail = nullptr;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        resbuf* copy = acutNewRb(rb->restype);
        if (!copy) return nullptr;
        if (tail) tail->rbnext = copy;
        else head.reset(copy);
        tail = copy;
        if (!duplicateValue(rb, copy)) return nullptr;
    }
    return head.release();
}

resbuf* ResbufChainBuilder::append(int type)
{
    resbuf* rb = acutNewRb(type);
    if (!rb) throw std::bad_alloc();
    if (tail_) tail_->rbnext = rb;
    else head_.reset(rb);
    tail_ = rb;
    return rb;
}

}  // namespace arx::ut

using arx::ut::ResbufChain;

resbuf* acutNewRb(int type)
{
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (rb) rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(resbuf* chain)
{
    while (chain) {
        resbuf* next = chain->rbnext;
        arx::ut::releaseValue(chain);
        std::free(chain);
        chain = next;
    }
    return RTNORM;
}

// acutBuildList(type, value, ..., 0): items without a value (RTLB, RTLE, RTDOTE, RTNIL, RTT,
// RTVOID) take none; RTSHORT takes an int, RTLONG a long, reals a double, points an
// ads_point, names an ads_name, strings a char* (copied). The list ends with 0 or RTNONE.
// An unknown type or a null pointer value gives NULL, with nothing allocated.
resbuf* acutBuildList(int rtype, ...)
{
    va_list values;
    va_start(values, rtype);
    ResbufChain head;
    resbuf* tail = nullptr;
    bool ok = true;
    for (int type = rtype; ok && !arx::ut::isTerminator(type); type = va_arg(values, int)) {
        resbuf* rb = acutNewRb(type);
        if (!rb) {
            ok = false;
            break;
        }
        if (tail) tail->rbnext = rb;
        else head.reset(rb);
        tail = rb;
        ok = arx::ut::readBuildListValue(rb, values);
    }
    va_end(values);
    return ok ? head.release() : nullptr;
}
