// The check made before a layout is plotted: every associated viewport must still show what
// its mark outlines, else the user is warned once (the plot goes on either way).
#pragma once

namespace kestra {

// With a layout's paper space current, walks the viewport index until a viewport disagrees
// with its mark; pairs whose objects do not open are skipped. Shows the plot warning when one
// disagrees, the "BadPlotAlert" switch is on and messages are not routed to the command line.
// True when a viewport disagreed.
bool checkViewsBeforePlot();

}  // namespace kestra
