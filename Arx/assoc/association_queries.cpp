// vadu_KestraCount, vadu_KestraList and vadu_VPortList.
#include "assoc/association_queries.h"

#include "acdbads_db.h"
#include "acdocman.h"
#include "acedads.h"
#include "acutads.h"
#include "assoc/association_maintenance.h"
#include "shell/document_registry.h"

namespace kestra {

namespace {

// Appends one node to the chain being built; false when the host has no memory left.
bool append(resbuf*& tail, resbuf* node)
{
    if (node == nullptr) return false;
    tail->rbnext = node;
    tail = node;
    return true;
}

resbuf* nameNode(const ads_name name)
{
    resbuf* node = acutNewRb(RTENAME);
    if (node != nullptr) {
        node->resval.rlname[0] = name[0];
        node->resval.rlname[1] = name[1];
    }
    return node;
}

// (first . second) at the end of the chain.
bool appendDottedPair(resbuf*& tail, const ads_name first, const ads_name second)
{
    return append(tail, acutNewRb(RTLB)) && append(tail, nameNode(first)) && append(tail, acutNewRb(RTDOTE)) &&
           append(tail, nameNode(second)) && append(tail, acutNewRb(RTLE));
}

}  // namespace

int associationCountResult()
{
    verifyAssociations(true, false, curDoc());
    const DocumentState* state = currentDocumentState();
    acedRetInt(state ? state->associationCount : -1);
    return RTNORM;
}

int associationPairsResult(PairOrder order)
{
    if (verifyAssociations(true, false, curDoc()) == 0) {
        acedRetNil();
        return RTNORM;
    }
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk || pairs.empty()) {
        acedRetNil();
        return RTERROR;
    }
    resbuf head{};
    resbuf* tail = &head;
    bool complete = true;
    for (const IndexPair& pair : pairs) {
        ads_name mark;
        ads_name viewport;
        if (acdbHandEnt(pair.mark.c_str(), mark) != RTNORM || acdbHandEnt(pair.viewport.c_str(), viewport) != RTNORM)
            continue;
        complete = order == PairOrder::MarkThenViewport ? appendDottedPair(tail, mark, viewport)
                                                        : appendDottedPair(tail, viewport, mark);
        if (!complete) break;
    }
    ResultBufferHolder list(head.rbnext);
    if (!complete) return RTERROR;
    if (list) acedRetList(list.get());
    else acedRetNil();
    return RTNORM;
}

}  // namespace kestra
