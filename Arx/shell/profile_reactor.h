// The profile reactor: a newly current profile may have lost the starter pop-up menu, so it is
// installed again when the menu group "Kestra" is not loaded.
#pragma once
#include "acprofile.h"

namespace kestra {

class KestraProfileReactor : public AcApProfileManagerReactor {
public:
    void currentProfileChanged(const char* newProfile) override;
};

}  // namespace kestra
