#include "assoc/plot_check.h"

#include <optional>

#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "assoc/view_agreement.h"
#include "dbents.h"
#include "mark/vadu_kestra.h"
#include "settings/plot_warning.h"
#include "shell/kestra_module.h"
#include "shell/message_routing.h"
#include "shell/object_opener.h"
#include "shell/system_variables.h"

namespace kestra {

namespace {

// False only for a pair whose viewport and mark both open and disagree.
bool pairAgrees(const IndexPair& pair)
{
    const AcDbObjectId markId = objectIdOfHandle(pair.mark.c_str());
    const AcDbObjectId viewportId = objectIdOfHandle(pair.viewport.c_str());
    if (markId.isNull() || viewportId.isNull()) return true;
    ObjectOpener<AcDbViewport> viewport(viewportId, AcDb::kForRead);
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!viewport || !mark) return true;
    return viewMatchesMark(viewOf(*viewport), viewOf(*mark));
}

}  // namespace

bool checkViewsBeforePlot()
{
    if (!paperSpaceIsCurrent()) return false;
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk || pairs.empty()) return false;
    bool disagrees = false;
    for (const IndexPair& pair : pairs) {
        if (!pairAgrees(pair)) {
            disagrees = true;
            break;
        }
    }
    const KestraModule* module = kestraModule();
    if (disagrees && module != nullptr && module->settings.badPlotAlert && !messagesToCommandLine()) showPlotWarning();
    return disagrees;
}

}  // namespace kestra
