// The warning given before a plot when a viewport no longer shows what its mark outlines.
#pragma once

namespace kestra {

// The plot warning's dialog when "BadPlotAlert" is on and messages do not go to the command
// line; otherwise its two lines on the command line ("\n%s\n%s\n").
void showPlotWarning();

}  // namespace kestra
