// The document manager: the open documents, the current one, the reactors, the resource
// stack, and the load-drawing message each module gets for each document.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"
#include "ap/document.h"
#include "rx/module_loader.h"

namespace arx::ap {

// How documents get their databases (set by the host once the database area is there).
struct DatabaseHooks {
    std::function<AcDbDatabase*()> createEmpty;
    // Reads a drawing file into a new database; null with `error` set when it cannot.
    std::function<AcDbDatabase*(const std::string& path, std::string& error)> open;
    std::function<void(AcDbDatabase*)> release;
};

// Internal listeners of the document lifecycle (AutoLISP namespaces, system variables).
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    virtual void documentAdded(Document&) {}
    virtual void documentMadeCurrent(Document*) {}
    virtual void documentRemoving(Document&) {}
    // True while the document may not be destroyed yet: something running in it (an
    // AutoLISP evaluation) is still on the stack.
    virtual bool holdsDocument(const Document&) const { return false; }
};

class DocumentManager : public AcApDocManager, public arx::rx::ModuleObserver {
public:
    static DocumentManager& instance();

    AcApDocument* curDocument() const override { return current_; }
    AcApDocument* mdiActiveDocument() const override { return current_; }
    int documentCount() const override { return static_cast<int>(documents_.size()); }
    AcApDocumentIterator* newAcApDocumentIterator() override;
    void addReactor(AcApDocManagerReactor* reactor) override;
    void removeReactor(AcApDocManagerReactor* reactor) override;
    Acad::ErrorStatus setCurDocument(AcApDocument* doc, AcAp::DocLockMode mode, bool activate) override;
    Acad::ErrorStatus activateDocument(AcApDocument* doc, bool bPassScript) override;
    AcApDocument* document(const AcDbDatabase* db) const override;
    void pushResourceHandle(HINSTANCE handle) override;
    void pushAcadResourceHandle() override;
    void popResourceHandle() override;
    Acad::ErrorStatus lockDocument(AcApDocument* doc, AcAp::DocLockMode mode, const char* globalCmdName,
                                   const char* localCmdName, bool prompt) override;
    Acad::ErrorStatus unlockDocument(AcApDocument* doc) override;
    // How many locks the document holds (0 when none or unknown).
    int lockCount(const AcApDocument* doc) const;

    void setDatabaseHooks(DatabaseHooks hooks) { dbHooks_ = std::move(hooks); }
    void addListener(DocumentListener* listener) { listeners_.push_back(listener); }

    // NEW: a new drawing named DrawingN.dwg, made current.
    Document* newDocument();
    // OPEN: reads the file into a new document made current; null with `error` set.
    Document* openDocument(const std::string& path, std::string& error);
    // CLOSE: closes a document without asking; the next one becomes current. A document a
    // listener still holds is closed as soon as it is let go (closeDeferredDocuments).
    void closeDocument(Document* doc);
    // Closes the documents whose close waited and that nothing holds any more; called where
    // an evaluation has returned to the host.
    void closeDeferredDocuments();
    void closeAll();
    Document* current() const { return current_; }
    std::vector<Document*> documents() const;

    // The resource stack, for inspection: its entries, top last.
    const std::vector<HINSTANCE>& resourceStack() const { return resources_; }
    size_t resourcePushCount() const { return resourcePushes_; }

    // ModuleObserver: a module loaded later gets the load-drawing message for every document.
    void moduleLoaded(arx::rx::Module& module) override;

private:
    DocumentManager();
    Document* add(std::unique_ptr<Document> doc);
    void makeCurrent(Document* doc);
    void sendLoadDrawing(Document* doc);
    void notify(const std::function<void(AcApDocManagerReactor*)>& call);

    bool isHeld(const Document& doc) const;

    std::vector<std::unique_ptr<Document>> documents_;
    std::vector<Document*> deferredCloses_;
    Document* current_ = nullptr;
    std::vector<AcApDocManagerReactor*> reactors_;
    std::vector<DocumentListener*> listeners_;
    std::vector<HINSTANCE> resources_;
    size_t resourcePushes_ = 0;
    std::map<const AcApDocument*, int> locks_;
    DatabaseHooks dbHooks_;
    int drawingNumber_ = 0;
};

}  // namespace arx::ap
