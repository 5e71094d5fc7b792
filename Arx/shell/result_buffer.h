// Owns a result-buffer chain and releases it with acutRelRb on every path.
#pragma once
#include <memory>

#include "acutads.h"

namespace kestra {

struct ResultBufferRelease {
    void operator()(resbuf* chain) const
    {
        if (chain != nullptr) acutRelRb(chain);
    }
};

using ResultBufferHolder = std::unique_ptr<resbuf, ResultBufferRelease>;

}  // namespace kestra
