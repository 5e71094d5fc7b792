// The audit of a drawing when it is opened: legacy marks purged, the associations rebuilt
// and orphan marks erased, without marking the drawing as changed.
#pragma once

class AcApDocument;

namespace kestra {

void auditDrawing(AcApDocument* document);

}  // namespace kestra
