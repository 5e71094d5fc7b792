// The texts the module prints about itself: the load banner, the command list and the
// version.
#pragma once

namespace kestra {

constexpr const char* kLoadNotice = "Viewport marks for paper-space layouts. (C) 2004 Zentrel.";

// Three lines: loaded notice, version number, and where to find the command list.
void printBanner();
void printCommandList();
void printVersion();

}  // namespace kestra
