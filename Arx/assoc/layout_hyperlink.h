// The layout hyperlink of a mark and of its outline block reference: one hyperlink whose
// location inside the drawing is the name of the layout that holds the mark's viewport. It
// lets the user jump from the mark to its sheet, and it tells which marks a layout holds when
// the layout is renamed or deleted.
#pragma once
#include <optional>
#include <string>

class AcDbObject;

namespace kestra {

// Replaces the object's hyperlinks (open for write) by the layout hyperlink; an object that
// has two or more hyperlinks of its own is left as it is. False when the host refused.
bool setLayoutHyperlink(AcDbObject& object, const std::string& layoutName);

// The layout named by the object's hyperlink (open for read) when it has exactly one hyperlink
// and that names a layout.
std::optional<std::string> layoutOfHyperlink(AcDbObject& object);

// The number of indexed marks whose layout hyperlink names the layout (without regard to
// case); 0 when the association store has no index.
int countMarksWithHyperlink(const char* layoutName);

}  // namespace kestra
