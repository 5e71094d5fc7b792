// Hyperlinks of entities: AcDbHyperlink (an address, a description, a location inside the
// target), AcDbHyperlinkCollection, and the protocol extension AcDbEntityHyperlinkPE that
// reads and writes an object's hyperlinks. The host keeps them in the object's extended data
// under the application "PE_URL": for each hyperlink a 1000 group with the address, then,
// when it has a description or a sub-location, 1002 "{", 1000 description, 1000
// sub-location, 1002 "}".
//
//   AcDbEntityHyperlinkPE* pe = ACRX_PE_PTR(entity, AcDbEntityHyperlinkPE);
//   AcDbHyperlinkCollection* links = nullptr;
//   pe->getHyperlinkCollection(entity, links);   // the caller deletes the collection
#pragma once
#include "acadstrc.h"
#include "dbidar.h"
#include "rxboiler.h"
#include "rxobject.h"

class AcDbObject;

class ACAD_PORT AcDbHyperlink {
public:
    AcDbHyperlink() = default;
    virtual ~AcDbHyperlink() = default;

    virtual const char* name() const = 0;
    virtual void setName(const char* cName) = 0;
    virtual const char* description() const = 0;
    virtual void setDescription(const char* cDescription) = 0;
    virtual const char* subLocation() const = 0;
    virtual void setSubLocation(const char* cSubLocation) = 0;
    // The description, else the address (with "#" and the sub-location when it has one).
    virtual const char* getDisplayString() const = 0;
    // Hyperlinks of the object itself, not of a block it is in.
    virtual bool isOutermostContainer() const = 0;
    virtual int getNestedLevel() const = 0;
};

class ACAD_PORT AcDbHyperlinkCollection {
public:
    AcDbHyperlinkCollection() = default;
    virtual ~AcDbHyperlinkCollection() = default;

    virtual void addHead(const char* sName, const char* sDescription, const char* sSubLocation = nullptr) = 0;
    virtual void addTail(const char* sName, const char* sDescription, const char* sSubLocation = nullptr) = 0;
    // Inserts before the hyperlink at nIndex (at the end when nIndex is the count).
    virtual void addAt(const int nIndex, const char* sName, const char* sDescription,
                       const char* sSubLocation = nullptr) = 0;
    virtual void removeHead() = 0;
    virtual void removeTail() = 0;
    virtual void removeAt(const int nIndex) = 0;
    virtual int count() const = 0;
    // Null when nIndex is out of range; owned by the collection.
    virtual AcDbHyperlink* item(const int nIndex) const = 0;
};

class ACAD_PORT AcDbEntityHyperlinkPE : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntityHyperlinkPE);

    // A new collection (the caller deletes it) of the object's hyperlinks; with bOneOnly at
    // most the first. The object must be open for read.
    virtual Acad::ErrorStatus getHyperlinkCollection(AcDbObject* pObj, AcDbHyperlinkCollection*& pcHCL,
                                                     bool bOneOnly = false, bool bIgnoreBlockDefinition = true) = 0;
    // The same for an object given by its container path (the last id is the object).
    virtual Acad::ErrorStatus getHyperlinkCollection(const AcDbObjectIdArray*& idContainers,
                                                     AcDbHyperlinkCollection*& pcHCL, bool bOneOnly = false,
                                                     bool bIgnoreBlockDefinition = true) = 0;
    // Replaces all of the object's hyperlinks (none for an empty or null collection). The
    // object must be open for write; "PE_URL" is registered in its drawing when missing.
    virtual Acad::ErrorStatus setHyperlinkCollection(AcDbObject* pObj, const AcDbHyperlinkCollection* pcHCL) = 0;
    virtual Acad::ErrorStatus getHyperlinkCount(AcDbObject* pObj, unsigned int& nCount,
                                                bool bIgnoreBlockDefinition = true) = 0;
    virtual Acad::ErrorStatus getHyperlinkCount(const AcDbObjectIdArray*& idContainers, unsigned int& nCount,
                                                bool bIgnoreBlockDefinition = true) = 0;
    virtual Acad::ErrorStatus hasHyperlink(AcDbObject* pObj, bool& bHasHyperlink,
                                           bool bIgnoreBlockDefinition = true) = 0;
    virtual Acad::ErrorStatus hasHyperlink(const AcDbObjectIdArray*& idContainers, bool& bHasHyperlink,
                                           bool bIgnoreBlockDefinition = true) = 0;
};
