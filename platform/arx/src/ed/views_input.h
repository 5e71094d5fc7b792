// The answers of the view commands' first questions, which take a point, a number with an
// optional X or XP suffix, or a keyword all at once (ZOOM's "Specify corner of window,
// enter a scale factor (nX or nXP), or ...").
#pragma once
#include <string>

#include "gepnt3d.h"

namespace arx::views {

struct ViewAnswer {
    enum class Kind { Cancel, Enter, Point, Number, Keyword };
    // How a number was given: alone, with X (relative to the current view) or with XP
    // (relative to paper space).
    enum class Scale { Plain, Current, Paper };

    Kind kind = Kind::Cancel;
    AcGePoint3d point;  // in the UCS, as typed
    double number = 0.0;
    Scale scale = Scale::Plain;
    std::string keyword;  // the global keyword
};

// Parses a typed answer (no prompting): "x,y[,z]", "n", "nX", "nXP", or a keyword of the
// acedInitGet-style list. False when it is none of them.
bool parseViewAnswer(const std::string& text, const std::string& keywords, ViewAnswer& out);

// Asks until the answer is one of those kinds (or Enter or cancel); a refused answer is
// told "Point or option keyword required.".
ViewAnswer askViewAnswer(const char* prompt, const char* keywords);

}  // namespace arx::views
