// The profile manager: the current profile's name and the reactors told when it changes.
#pragma once
#include <string>
#include <vector>

#include "acprofile.h"

namespace arx::ap {

class ProfileManager : public AcApProfileManager {
public:
    static ProfileManager& instance();
    void addReactor(AcApProfileManagerReactor* reactor) override;
    void removeReactor(AcApProfileManagerReactor* reactor) override;
    const char* currentProfileName() const override { return current_.c_str(); }
    bool setCurrentProfile(const char* name) override;
    size_t reactorCount() const { return reactors_.size(); }

private:
    std::string current_ = "<<Unnamed Profile>>";
    std::vector<AcApProfileManagerReactor*> reactors_;
};

}  // namespace arx::ap
