// KSABOUT: the about box, shown modally with the module's resources current.
#pragma once

namespace kestra {

void showAboutBox();

}  // namespace kestra
