#include "assoc/layout_reactor.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "acdocman.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "assoc/handle_text.h"
#include "assoc/layer_state.h"
#include "assoc/layout_hyperlink.h"
#include "dbapserv.h"
#include "mark/vadu_kestra.h"
#include "shell/message_routing.h"
#include "shell/result_buffer.h"
#include "commands/selection_set.h"

namespace kestra {

ACRX_NO_CONS_DEFINE_MEMBERS(LayoutReactor, AcDbLayoutManagerReactor)

namespace {

// The index read once: the mark of each viewport handle (upper case), the first pair winning
// as in a walk of the index.
std::unordered_map<std::string, std::string> marksByViewport()
{
    std::unordered_map<std::string, std::string> marks;
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk) return marks;
    for (const IndexPair& pair : pairs) {
        marks.emplace(handleKey(pair.viewport), pair.mark);
    }
    return marks;
}

// The viewports of the layout, selected from the whole drawing by type and layout name.
bool selectLayoutViewports(const std::string& layoutName, SelectionSet& set)
{
    const std::string pattern = literalPattern(layoutName);
    ResultBufferHolder filter(
        acutBuildList(-4, "<and", RTDXF0, "VIEWPORT", 410, pattern.c_str(), 100, "AcDbViewport", -4, "and>", RTNONE));
    if (!filter || acedSSGet("_X", nullptr, nullptr, filter.get(), set.name) != RTNORM) return false;
    set.owned = true;
    return true;
}

// The mark's hyperlink, then its outline's, name the layout.
void relinkMark(AcDbObjectId markId, const std::string& layoutName)
{
    ObjectOpener<VaduKestra> mark(markId, AcDb::kForRead);
    if (!mark) return;
    const AcDbObjectId outlineId = mark->outlineBlockId();
    changeOnUnlockedLayer(mark, [&](VaduKestra& m) { setLayoutHyperlink(m, layoutName); });
    if (!outlineId.isNull())
        changeOnUnlockedLayer<AcDbEntity>(outlineId,
                                          [&](AcDbEntity& outline) { setLayoutHyperlink(outline, layoutName); });
}

}  // namespace

std::string literalPattern(const std::string& text)
{
    std::string pattern;
    for (char c : text) {
        if (std::string_view("#@.*?~[]-`,").find(c) != std::string_view::npos) pattern += '`';
        pattern += c;
    }
    return pattern;
}

void LayoutReactor::layoutToBeRemoved(const char* layoutName, const AcDbObjectId& /*layoutId*/)
{
    if (layoutName == nullptr) return;
    AcApDocManager* manager = acDocManager;
    if (verifyAssociations(true, false, manager ? manager->curDocument() : nullptr) < 1) return;
    if (countMarksWithHyperlink(layoutName) < 1) return;
    showRefusal(kDependingMarksErased);
}

void LayoutReactor::layoutRenamed(const char* /*oldName*/, const char* newName, const AcDbObjectId& /*layoutId*/)
{
    if (newName == nullptr) return;
    SelectionSet set;
    if (!selectLayoutViewports(newName, set)) return;
    const std::unordered_map<std::string, std::string> marks = marksByViewport();
    long length = 0;
    acedSSLength(set.name, &length);
    for (long i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId viewportId;
        if (acedSSName(set.name, i, member) != RTNORM || acdbGetObjectId(viewportId, member) != Acad::eOk) continue;
        const auto found = marks.find(handleKey(handleTextOf(viewportId)));
        if (found != marks.end()) relinkMark(objectIdOfHandle(found->second.c_str()), newName);
    }
}

void registerLayoutReactorClass()
{
    if (acrxFindClass("LayoutReactor") == nullptr) LayoutReactor::rxInit();
}

std::unique_ptr<LayoutReactor> addLayoutReactor()
{
    auto reactor = std::make_unique<LayoutReactor>();
    if (AcDbLayoutManager* layouts = acdbHostApplicationServices()->layoutManager()) layouts->addReactor(reactor.get());
    return reactor;
}

void removeLayoutReactor(std::unique_ptr<LayoutReactor>& reactor)
{
    if (!reactor) return;
    if (AcDbLayoutManager* layouts = acdbHostApplicationServices()->layoutManager())
        layouts->removeReactor(reactor.get());
    reactor.reset();
}

}  // namespace kestra
