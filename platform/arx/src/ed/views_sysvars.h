// The system variables of views, viewports and coordinate systems (views_sysvars.cpp), and
// the editor reactor that keeps the viewports' numbers current after every command.
#pragma once

namespace arx::ed {
void defineViewSysVars();
void installViewRefresh();
}  // namespace arx::ed
