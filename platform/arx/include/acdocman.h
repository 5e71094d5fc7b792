// Documents and the document manager.
#pragma once
#include "acadstrc.h"
#include "adesk.h"
#include "rxobject.h"
#include <windef.h>

class AcDbDatabase;
class AcApDocument;

struct AcAp {
    enum DocLockMode {
        kNone = 0,
        kAutoWrite = 1,
        kNotLocked = 2,
        kWrite = 4,
        kProtectedAutoWrite = 8,
        kRead = 32,
        kXWrite = 64
    };
};

class ACAD_PORT AcApDocument : public AcRxObject {
public:
    virtual const char* fileName() const = 0;
    virtual const char* docTitle() const = 0;
    virtual AcDbDatabase* database() const = 0;
    // Saves and restores DBMOD around work that must not mark the drawing as changed.
    virtual void pushDbmod() = 0;
    virtual Acad::ErrorStatus popDbmod() = 0;
    virtual bool isQuiescent() const = 0;
};

class ACAD_PORT AcApDocManagerReactor : public AcRxObject {
public:
    virtual void documentCreateStarted(AcApDocument*) {}
    virtual void documentCreated(AcApDocument*) {}
    virtual void documentToBeDestroyed(AcApDocument*) {}
    virtual void documentDestroyed(const char* fileName) {}
    virtual void documentCreateCanceled(AcApDocument*) {}
    virtual void documentLockModeWillChange(AcApDocument*, AcAp::DocLockMode, AcAp::DocLockMode, AcAp::DocLockMode,
                                            const char*)
    {}
    virtual void documentLockModeChanged(AcApDocument*, AcAp::DocLockMode, AcAp::DocLockMode, AcAp::DocLockMode,
                                         const char*)
    {}
    virtual void documentBecameCurrent(AcApDocument*) {}
    virtual void documentToBeActivated(AcApDocument*) {}
    virtual void documentToBeDeactivated(AcApDocument*) {}
    virtual void documentActivationModified(bool bActivation) {}
    virtual void documentActivated(AcApDocument*) {}
};

class ACAD_PORT AcApDocumentIterator {
public:
    virtual ~AcApDocumentIterator() = default;
    virtual bool done() const = 0;
    virtual void step() = 0;
    virtual AcApDocument* document() = 0;
};

class ACAD_PORT AcApDocManager : public AcRxObject {
public:
    virtual AcApDocument* curDocument() const = 0;
    virtual AcApDocument* mdiActiveDocument() const = 0;
    virtual int documentCount() const = 0;
    virtual AcApDocumentIterator* newAcApDocumentIterator() = 0;
    virtual void addReactor(AcApDocManagerReactor* reactor) = 0;
    virtual void removeReactor(AcApDocManagerReactor* reactor) = 0;
    virtual Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode = AcAp::kNone,
                                             bool activate = false) = 0;
    virtual Acad::ErrorStatus activateDocument(AcApDocument* doc, bool bPassScript = false) = 0;
    virtual AcApDocument* document(const AcDbDatabase* db) const = 0;
    // The resource stack: the top entry is where dialogs, strings and bitmaps resolve.
    virtual void pushResourceHandle(HINSTANCE hNewResourceHandle) = 0;
    virtual void pushAcadResourceHandle() = 0;
    virtual void popResourceHandle() = 0;
    // Locks a document for work done outside a command (the Properties palette, modeless
    // windows). Locks nest; each successful lock is matched by one unlock. A null document
    // gives eNoDocument.
    virtual Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode = AcAp::kWrite,
                                           const char* globalCmdName = nullptr, const char* localCmdName = nullptr,
                                           bool prompt = true) = 0;
    // eNotApplicable when the document holds no lock; eNoDocument for a null document.
    virtual Acad::ErrorStatus unlockDocument(AcApDocument* doc) = 0;
};

ACAD_PORT AcApDocManager* acDocManagerPtr();
#define acDocManager (acDocManagerPtr())
ACAD_PORT AcApDocument* curDoc();
