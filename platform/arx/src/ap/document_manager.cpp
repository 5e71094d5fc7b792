#include "ap/document_manager.h"

#include <algorithm>

#include "ed/sysvars.h"

namespace arx::ap {
namespace {

class DocumentIterator : public AcApDocumentIterator {
public:
    explicit DocumentIterator(std::vector<Document*> docs) : docs_(std::move(docs)) {}
    bool done() const override { return pos_ >= docs_.size(); }
    void step() override { ++pos_; }
    AcApDocument* document() override { return done() ? nullptr : docs_[pos_]; }

private:
    std::vector<Document*> docs_;
    size_t pos_ = 0;
};

}  // namespace

DocumentManager& DocumentManager::instance()
{
    static DocumentManager manager;
    return manager;
}

DocumentManager::DocumentManager()
{
    ed::SysVars::instance().setDocumentStoreProvider(
        [this]() -> ed::SysVars::DocumentStore* { return current_ ? &current_->sysVars() : nullptr; });
    arx::rx::ModuleLoader::instance().addObserver(this);
}

AcApDocumentIterator* DocumentManager::newAcApDocumentIterator() { return new DocumentIterator(documents()); }

std::vector<Document*> DocumentManager::documents() const
{
    std::vector<Document*> docs;
    for (const auto& doc : documents_) docs.push_back(doc.get());
    return docs;
}

void DocumentManager::addReactor(AcApDocManagerReactor* reactor)
{
    if (reactor && std::find(reactors_.begin(), reactors_.end(), reactor) == reactors_.end())
        reactors_.push_back(reactor);
}

void DocumentManager::removeReactor(AcApDocManagerReactor* reactor)
{
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

void DocumentManager::notify(const std::function<void(AcApDocManagerReactor*)>& call)
{
    for (AcApDocManagerReactor* reactor : std::vector(reactors_))
        if (std::find(reactors_.begin(), reactors_.end(), reactor) != reactors_.end()) call(reactor);
}

AcApDocument* DocumentManager::document(const AcDbDatabase* db) const
{
    for (const auto& doc : documents_)
        if (doc->database() == db) return doc.get();
    return nullptr;
}

Acad::ErrorStatus DocumentManager::setCurDocument(AcApDocument* doc, AcAp::DocLockMode, bool activate)
{
    auto* target = dynamic_cast<Document*>(doc);
    if (target == nullptr || document(target->database()) == nullptr) return Acad::eInvalidInput;
    if (activate) return activateDocument(doc, false);
    current_ = target;
    for (DocumentListener* l : listeners_) l->documentMadeCurrent(current_);
    return Acad::eOk;
}

Acad::ErrorStatus DocumentManager::activateDocument(AcApDocument* doc, bool)
{
    auto* target = dynamic_cast<Document*>(doc);
    auto it = std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == target; });
    if (it == documents_.end()) return Acad::eInvalidInput;
    if (target == current_) return Acad::eOk;
    if (current_) notify([&](AcApDocManagerReactor* r) { r->documentToBeDeactivated(current_); });
    makeCurrent(target);
    return Acad::eOk;
}

void DocumentManager::makeCurrent(Document* doc)
{
    notify([&](AcApDocManagerReactor* r) { r->documentToBeActivated(doc); });
    current_ = doc;
    for (DocumentListener* l : listeners_) l->documentMadeCurrent(current_);
    notify([&](AcApDocManagerReactor* r) { r->documentActivated(doc); });
    notify([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
}

void DocumentManager::pushResourceHandle(HINSTANCE handle)
{
    resources_.push_back(handle);
    ++resourcePushes_;
}

void DocumentManager::pushAcadResourceHandle() { pushResourceHandle(nullptr); }

void DocumentManager::popResourceHandle()
{
    if (!resources_.empty()) resources_.pop_back();
}

// The host runs one thread: a lock only has to be counted, so that every unlock can be
// checked against a lock taken before.
Acad::ErrorStatus DocumentManager::lockDocument(AcApDocument* doc, AcAp::DocLockMode /*mode*/,
                                                const char* /*globalCmdName*/, const char* /*localCmdName*/,
                                                bool /*prompt*/)
{
    if (doc == nullptr) return Acad::eNoDocument;
    ++locks_[doc];
    return Acad::eOk;
}

Acad::ErrorStatus DocumentManager::unlockDocument(AcApDocument* doc)
{
    if (doc == nullptr) return Acad::eNoDocument;
    auto found = locks_.find(doc);
    if (found == locks_.end()) return Acad::eNotApplicable;
    if (--found->second == 0) locks_.erase(found);
    return Acad::eOk;
}

int DocumentManager::lockCount(const AcApDocument* doc) const
{
    auto found = locks_.find(doc);
    return found == locks_.end() ? 0 : found->second;
}

Document* DocumentManager::add(std::unique_ptr<Document> doc)
{
    Document* raw = doc.get();
    notify([&](AcApDocManagerReactor* r) { r->documentCreateStarted(raw); });
    documents_.push_back(std::move(doc));
    Document* previous = current_;
    current_ = raw;
    for (DocumentListener* l : listeners_) l->documentAdded(*raw);
    for (DocumentListener* l : listeners_) l->documentMadeCurrent(raw);
    notify([&](AcApDocManagerReactor* r) { r->documentCreated(raw); });
    if (previous) notify([&](AcApDocManagerReactor* r) { r->documentToBeDeactivated(previous); });
    makeCurrent(raw);
    sendLoadDrawing(raw);
    return raw;
}

Document* DocumentManager::newDocument()
{
    AcDbDatabase* db = dbHooks_.createEmpty ? dbHooks_.createEmpty() : nullptr;
    std::string name = "Drawing" + std::to_string(++drawingNumber_) + ".dwg";
    return add(std::make_unique<Document>(name, db, dbHooks_.release));
}

Document* DocumentManager::openDocument(const std::string& path, std::string& error)
{
    if (!dbHooks_.open) {
        error = "Drawing files cannot be read by this host.";
        return nullptr;
    }
    AcDbDatabase* db = dbHooks_.open(path, error);
    if (db == nullptr) return nullptr;
    return add(std::make_unique<Document>(path, db, dbHooks_.release));
}

void DocumentManager::sendLoadDrawing(Document* doc)
{
    auto& loader = arx::rx::ModuleLoader::instance();
    for (const auto& module : loader.modules()) {
        if (current_ != doc) setCurDocument(doc, AcAp::kNone, false);
        loader.send(*module, AcRx::kLoadDwgMsg);
    }
}

void DocumentManager::moduleLoaded(arx::rx::Module& module)
{
    Document* wasCurrent = current_;
    for (Document* doc : documents()) {
        setCurDocument(doc, AcAp::kNone, false);
        arx::rx::ModuleLoader::instance().send(module, AcRx::kLoadDwgMsg);
    }
    if (wasCurrent) setCurDocument(wasCurrent, AcAp::kNone, false);
}

bool DocumentManager::isHeld(const Document& doc) const
{
    return std::any_of(listeners_.begin(), listeners_.end(),
                       [&](const DocumentListener* l) { return l->holdsDocument(doc); });
}

void DocumentManager::closeDeferredDocuments()
{
    std::vector<Document*> waiting = std::move(deferredCloses_);
    deferredCloses_.clear();
    for (Document* doc : waiting) closeDocument(doc);
}

void DocumentManager::closeDocument(Document* doc)
{
    auto it = std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == doc; });
    if (it == documents_.end()) return;
    // Destroying the document now would pull its AutoLISP namespace from under the
    // evaluation that asked for the close; the host closes it once that evaluation ends.
    if (isHeld(*doc)) {
        if (std::find(deferredCloses_.begin(), deferredCloses_.end(), doc) == deferredCloses_.end())
            deferredCloses_.push_back(doc);
        return;
    }
    std::erase(deferredCloses_, doc);
    locks_.erase(doc);
    Document* wasCurrent = current_;
    notify([&](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
    if (current_ != doc) setCurDocument(doc, AcAp::kNone, false);
    for (const auto& module : arx::rx::ModuleLoader::instance().modules())
        arx::rx::ModuleLoader::instance().send(*module, AcRx::kUnloadDwgMsg);
    for (DocumentListener* l : listeners_) l->documentRemoving(*doc);
    std::string fileName = doc->fileName();
    current_ = nullptr;
    documents_.erase(std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == doc; }));
    notify([&](AcApDocManagerReactor* r) { r->documentDestroyed(fileName.c_str()); });
    for (DocumentListener* l : listeners_) l->documentMadeCurrent(nullptr);
    if (wasCurrent != doc && wasCurrent != nullptr) setCurDocument(wasCurrent, AcAp::kNone, false);
    else if (!documents_.empty()) makeCurrent(documents_.back().get());
}

void DocumentManager::closeAll()
{
    while (!documents_.empty()) closeDocument(documents_.back().get());
}

}  // namespace arx::ap

AcApDocManager* acDocManagerPtr() { return &arx::ap::DocumentManager::instance(); }
AcApDocument* curDoc() { return arx::ap::DocumentManager::instance().current(); }
