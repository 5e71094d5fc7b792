#include "key_handles.h"

namespace win32::registry {

HKEY KeyHandles::add(OpenKey key)
{
    const uintptr_t value = next_;
    next_ += 4;
    open_.emplace(value, std::move(key));
    return reinterpret_cast<HKEY>(value);
}

const OpenKey* KeyHandles::find(HKEY handle) const
{
    const auto found = open_.find(reinterpret_cast<uintptr_t>(handle));
    return found == open_.end() ? nullptr : &found->second;
}

bool KeyHandles::remove(HKEY handle) { return open_.erase(reinterpret_cast<uintptr_t>(handle)) > 0; }

}  // namespace win32::registry
