// Owning and copying result-buffer chains inside the stand-in. Buffers and the strings and
// binary chunks they own are allocated with malloc and freed by acutRelRb, as ADS
// applications expect (an application may free() a string it takes out of a buffer).
#pragma once
#include <memory>

#include "adsdef.h"

namespace arx::ut {

struct ResbufChainDeleter {
    void operator()(resbuf* chain) const;
};
using ResbufChain = std::unique_ptr<resbuf, ResbufChainDeleter>;

// A malloc'd copy of a string (nullptr when out of memory).
char* copyString(const char* text);
// A deep copy of a chain; nullptr for nullptr or when memory runs out.
resbuf* duplicateChain(const resbuf* chain);

// Builds a chain by appending buffers at its end; frees what it built unless released.
class ResbufChainBuilder {
public:
    // A new buffer of the type at the end of the chain (never null: throws bad_alloc).
    resbuf* append(int type);
    resbuf* release()
    {
        tail_ = nullptr;
        return head_.release();
    }

private:
    ResbufChain head_;
    resbuf* tail_ = nullptr;
};

}  // namespace arx::ut
