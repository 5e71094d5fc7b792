// KSOPTIONS (KS11) and vadu_KsOptions: the options dialog that turns the module's messages on
// and off. OK writes the seven switches from their boxes; Cancel writes nothing.
#pragma once

namespace kestra {

void showOptionsDialog();

}  // namespace kestra
