// The layout hyperlink, written and read through the host's hyperlink protocol extension.
#include "assoc/layout_hyperlink.h"

#include <strings.h>

#include <memory>

#include "assoc/association_store.h"
#include "assoc/handle_text.h"
#include "dbhyper.h"
#include "mark/vadu_kestra.h"
#include "shell/object_opener.h"

namespace kestra {

namespace {

// The hyperlink stays inside the drawing (no address); its description says where it leads.
constexpr const char* kLayoutLinkAddress = "";
constexpr const char* kLayoutLinkDescription = "Kestra: the layout of the viewport";

std::unique_ptr<AcDbHyperlinkCollection> hyperlinksOf(AcDbObject& object, AcDbEntityHyperlinkPE*& protocol)
{
    protocol = ACRX_PE_PTR(&object, AcDbEntityHyperlinkPE);
    if (protocol == nullptr) return nullptr;
    AcDbHyperlinkCollection* links = nullptr;
    if (protocol->getHyperlinkCollection(&object, links) != Acad::eOk) return nullptr;
    return std::unique_ptr<AcDbHyperlinkCollection>(links);
}

}  // namespace

bool setLayoutHyperlink(AcDbObject& object, const std::string& layoutName)
{
    AcDbEntityHyperlinkPE* protocol = nullptr;
    std::unique_ptr<AcDbHyperlinkCollection> links = hyperlinksOf(object, protocol);
    if (!links) return false;
    if (links->count() >= 2) return true;
    while (links->count() > 0) links->removeHead();
    links->addTail(kLayoutLinkAddress, kLayoutLinkDescription, layoutName.c_str());
    return protocol->setHyperlinkCollection(&object, links.get()) == Acad::eOk;
}

std::optional<std::string> layoutOfHyperlink(AcDbObject& object)
{
    AcDbEntityHyperlinkPE* protocol = nullptr;
    std::unique_ptr<AcDbHyperlinkCollection> links = hyperlinksOf(object, protocol);
    if (!links || links->count() != 1) return std::nullopt;
    const AcDbHyperlink* link = links->item(0);
    if (link == nullptr || link->subLocation() == nullptr || *link->subLocation() == '\0') return std::nullopt;
    return std::string(link->subLocation());
}

int countMarksWithHyperlink(const char* layoutName)
{
    IndexPairs pairs;
    if (readIndexPairs(kStoreName, pairs) != Acad::eOk) return 0;
    int count = 0;
    for (const IndexPair& pair : pairs) {
        ObjectOpener<VaduKestra> mark(objectIdOfHandle(pair.mark.c_str()), AcDb::kForRead);
        if (!mark) continue;
        const std::optional<std::string> layout = layoutOfHyperlink(*mark);
        if (layout && strcasecmp(layout->c_str(), layoutName) == 0) ++count;
    }
    return count;
}

}  // namespace kestra
