// AcDbEntityHyperlinkPE: an entity's hyperlinks, kept in its extended data under "PE_URL" as
// the host keeps them (see dbhyper.h for the layout).
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "acutads.h"
#include "adscodes.h"
#include "dbhyper.h"
#include "dbmain.h"
#include "dbobjptr.h"
#include "db/class_registration.h"
#include "db/xdata_rules.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcDbEntityHyperlinkPE, AcRxObject)

namespace {

constexpr const char* kApplication = "PE_URL";

std::string textOf(const char* text) { return text ? text : ""; }

class Hyperlink : public AcDbHyperlink {
public:
    Hyperlink(const char* name, const char* description, const char* subLocation)
        : mName(textOf(name)), mDescription(textOf(description)), mSubLocation(textOf(subLocation))
    {}
    const char* name() const override { return mName.c_str(); }
    void setName(const char* cName) override { mName = textOf(cName); }
    const char* description() const override { return mDescription.c_str(); }
    void setDescription(const char* cDescription) override { mDescription = textOf(cDescription); }
    const char* subLocation() const override { return mSubLocation.c_str(); }
    void setSubLocation(const char* cSubLocation) override { mSubLocation = textOf(cSubLocation); }
    const char* getDisplayString() const override
    {
        mDisplay = !mDescription.empty() ? mDescription : mSubLocation.empty() ? mName : mName + "#" + mSubLocation;
        return mDisplay.c_str();
    }
    bool isOutermostContainer() const override { return true; }
    int getNestedLevel() const override { return 0; }

private:
    std::string mName, mDescription, mSubLocation;
    mutable std::string mDisplay;
};

class HyperlinkCollection : public AcDbHyperlinkCollection {
public:
    void addHead(const char* sName, const char* sDescription, const char* sSubLocation) override
    {
        addAt(0, sName, sDescription, sSubLocation);
    }
    void addTail(const char* sName, const char* sDescription, const char* sSubLocation) override
    {
        addAt(count(), sName, sDescription, sSubLocation);
    }
    void addAt(const int nIndex, const char* sName, const char* sDescription, const char* sSubLocation) override
    {
        const int at = nIndex < 0 ? 0 : nIndex > count() ? count() : nIndex;
        mLinks.insert(mLinks.begin() + at, std::make_unique<Hyperlink>(sName, sDescription, sSubLocation));
    }
    void removeHead() override { removeAt(0); }
    void removeTail() override { removeAt(count() - 1); }
    void removeAt(const int nIndex) override
    {
        if (nIndex >= 0 && nIndex < count()) mLinks.erase(mLinks.begin() + nIndex);
    }
    int count() const override { return static_cast<int>(mLinks.size()); }
    AcDbHyperlink* item(const int nIndex) const override
    {
        return nIndex >= 0 && nIndex < count() ? mLinks[static_cast<std::size_t>(nIndex)].get() : nullptr;
    }

private:
    std::vector<std::unique_ptr<Hyperlink>> mLinks;
};

bool isText(const resbuf* rb, short code) { return rb && rb->restype == code && rb->resval.rstring; }
bool isBrace(const resbuf* rb, const char* brace)
{
    return isText(rb, 1002) && std::string(rb->resval.rstring) == brace;
}

// Reads the hyperlinks of a "PE_URL" chain: each a 1000 address, then optionally the braced
// description and sub-location.
void readLinks(const resbuf* chain, HyperlinkCollection& links, bool oneOnly)
{
    const resbuf* rb = chain ? chain->rbnext : nullptr;  // past the 1001 group
    while (rb != nullptr && !(oneOnly && links.count() == 1)) {
        if (!isText(rb, 1000)) {
            rb = rb->rbnext;
            continue;
        }
        const char* name = rb->resval.rstring;
        rb = rb->rbnext;
        std::vector<const char*> inside;
        if (isBrace(rb, "{")) {
            for (rb = rb->rbnext; rb != nullptr && !isBrace(rb, "}"); rb = rb->rbnext)
                if (isText(rb, 1000)) inside.push_back(rb->resval.rstring);
            if (rb != nullptr) rb = rb->rbnext;
        }
        links.addTail(name, inside.size() > 0 ? inside[0] : "", inside.size() > 1 ? inside[1] : "");
    }
}

struct ChainWriter {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    void add(short code, const char* text)
    {
        resbuf* rb = acutNewRb(code);
        rb->resval.rstring = static_cast<char*>(std::malloc(std::strlen(text) + 1));
        std::strcpy(rb->resval.rstring, text);
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
};

class EntityHyperlinkPE : public AcDbEntityHyperlinkPE {
public:
    Acad::ErrorStatus getHyperlinkCollection(AcDbObject* pObj, AcDbHyperlinkCollection*& pcHCL, bool bOneOnly,
                                             bool) override
    {
        pcHCL = nullptr;
        if (pObj == nullptr) return Acad::eNullObjectPointer;
        auto links = std::make_unique<HyperlinkCollection>();
        resbuf* chain = pObj->xData(kApplication);
        readLinks(chain, *links, bOneOnly);
        acutRelRb(chain);
        pcHCL = links.release();
        return Acad::eOk;
    }

    Acad::ErrorStatus getHyperlinkCollection(const AcDbObjectIdArray*& idContainers, AcDbHyperlinkCollection*& pcHCL,
                                             bool bOneOnly, bool bIgnoreBlockDefinition) override
    {
        pcHCL = nullptr;
        AcDbObjectPointer<AcDbObject> obj;
        const Acad::ErrorStatus es = openInnermost(idContainers, obj);
        if (es != Acad::eOk) return es;
        return getHyperlinkCollection(obj.object(), pcHCL, bOneOnly, bIgnoreBlockDefinition);
    }

    Acad::ErrorStatus setHyperlinkCollection(AcDbObject* pObj, const AcDbHyperlinkCollection* pcHCL) override
    {
        if (pObj == nullptr) return Acad::eNullObjectPointer;
        if (!pObj->isWriteEnabled()) return Acad::eNotOpenForWrite;
        if (pObj->database() != nullptr) {
            const Acad::ErrorStatus es = arx::db::registerApp(pObj->database(), kApplication);
            if (es != Acad::eOk) return es;
        }
        ChainWriter chain;
        chain.add(1001, kApplication);
        for (int i = 0; pcHCL != nullptr && i < pcHCL->count(); ++i) {
            const AcDbHyperlink* link = pcHCL->item(i);
            chain.add(1000, link->name());
            if (*link->description() == '\0' && *link->subLocation() == '\0') continue;
            chain.add(1002, "{");
            chain.add(1000, link->description());
            chain.add(1000, link->subLocation());
            chain.add(1002, "}");
        }
        const Acad::ErrorStatus es = pObj->setXData(chain.head);
        acutRelRb(chain.head);
        return es;
    }

    Acad::ErrorStatus getHyperlinkCount(AcDbObject* pObj, unsigned int& nCount, bool bIgnoreBlockDefinition) override
    {
        nCount = 0;
        AcDbHyperlinkCollection* links = nullptr;
        const Acad::ErrorStatus es = getHyperlinkCollection(pObj, links, false, bIgnoreBlockDefinition);
        if (links != nullptr) nCount = static_cast<unsigned int>(links->count());
        delete links;
        return es;
    }

    Acad::ErrorStatus getHyperlinkCount(const AcDbObjectIdArray*& idContainers, unsigned int& nCount,
                                        bool bIgnoreBlockDefinition) override
    {
        nCount = 0;
        AcDbObjectPointer<AcDbObject> obj;
        const Acad::ErrorStatus es = openInnermost(idContainers, obj);
        return es != Acad::eOk ? es : getHyperlinkCount(obj.object(), nCount, bIgnoreBlockDefinition);
    }

    Acad::ErrorStatus hasHyperlink(AcDbObject* pObj, bool& bHasHyperlink, bool bIgnoreBlockDefinition) override
    {
        unsigned int count = 0;
        const Acad::ErrorStatus es = getHyperlinkCount(pObj, count, bIgnoreBlockDefinition);
        bHasHyperlink = count > 0;
        return es;
    }

    Acad::ErrorStatus hasHyperlink(const AcDbObjectIdArray*& idContainers, bool& bHasHyperlink,
                                   bool bIgnoreBlockDefinition) override
    {
        unsigned int count = 0;
        const Acad::ErrorStatus es = getHyperlinkCount(idContainers, count, bIgnoreBlockDefinition);
        bHasHyperlink = count > 0;
        return es;
    }

private:
    // The object a container path ends with, open for read.
    static Acad::ErrorStatus openInnermost(const AcDbObjectIdArray* ids, AcDbObjectPointer<AcDbObject>& obj)
    {
        if (ids == nullptr || ids->length() == 0) return Acad::eInvalidInput;
        return obj.open((*ids)[ids->length() - 1], AcDb::kForRead);
    }
};

void registerHyperlinkProtocol()
{
    AcDbEntityHyperlinkPE::rxInit();
    static EntityHyperlinkPE protocol;
    AcDbEntity::desc()->addX(AcDbEntityHyperlinkPE::desc(), &protocol);
}

const bool registered = arx::db::addClassInitializer(&registerHyperlinkProtocol);

}  // namespace
