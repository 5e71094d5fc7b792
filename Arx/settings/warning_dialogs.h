// The three warnings and the advice as modal dialogs of the module. Each dialog belongs to one
// switch: its "Do not display this message." box writes the switch at once (ticked: off), and
// its help button closes it and opens its help topic.
#pragma once

namespace kestra {

enum class Warning { Plot, Layer, Reshape, Advice };

// Shows the dialog when its switch is on and messages do not go to the command line (with
// the module's resources current); false when it was not shown (switch off, messages to the
// command line, or no dialog to be made), and the caller prints its text instead. layerName
// names the layer in the layer warning.
bool showWarningDialog(Warning which, const char* layerName = nullptr);

}  // namespace kestra
