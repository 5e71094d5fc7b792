#include "ap/profile_manager.h"

#include <algorithm>

namespace arx::ap {

ProfileManager& ProfileManager::instance()
{
    static ProfileManager manager;
    return manager;
}

void ProfileManager::addReactor(AcApProfileManagerReactor* reactor)
{
    if (reactor && std::find(reactors_.begin(), reactors_.end(), reactor) == reactors_.end())
        reactors_.push_back(reactor);
}

void ProfileManager::removeReactor(AcApProfileManagerReactor* reactor)
{
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

bool ProfileManager::setCurrentProfile(const char* name)
{
    if (name == nullptr || *name == '\0') return false;
    for (auto* r : std::vector(reactors_)) r->currentProfileWillChange(name);
    current_ = name;
    for (auto* r : std::vector(reactors_)) r->currentProfileChanged(name);
    return true;
}

}  // namespace arx::ap

AcApProfileManager* acProfileManagerPtr() { return &arx::ap::ProfileManager::instance(); }
