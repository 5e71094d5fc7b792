// The per-document state records and the registry that keeps one per open document, with a
// current record. Documents are only keys here: the registry never calls into them.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "adesk.h"
#include "assoc/working_lists.h"

class AcApDocument;

namespace kestra {

struct DocumentState {
    explicit DocumentState(AcApDocument* doc) : document(doc) {}

    AcApDocument* document;
    // While set, the viewport persistent reactor ignores its notifications.
    bool reactorsSuspended = false;
    // Set from the start of a command that may reshape marks (a viewport edit on a layout's
    // sheet) until its end has been processed; snapshots are taken only meanwhile.
    bool reshapeCommand = false;
    // Associated marks last counted by the association check; -1 before its first run.
    Adesk::Int32 associationCount = -1;
    // Set while the host evaluates an AutoLISP expression in this document.
    bool lispEvaluating = false;
    // Cleared by the first update pass that moves marks: it discards the undo history once.
    bool undoResetPending = true;
    // What the persistent reactor noticed during the current command.
    ReactorWorkingLists workingLists;
    // The index pairs (mark handle, viewport handle) of marks erased since the viewport index
    // was last written: taken out together in one write (assoc/association_store.h).
    std::vector<std::pair<std::string, std::string>> deferredIndexRemovals;
};

class DocumentRegistry {
public:
    // Starts with a record for the document current now (none when there is no document).
    explicit DocumentRegistry(AcApDocument* currentDocument);

    DocumentState* current() const { return current_; }
    DocumentState* find(const AcApDocument* doc) const;
    // Makes the document's record current, appending a new one when it has none. When a
    // record cannot be allocated there is no current record until the next call.
    void makeCurrent(AcApDocument* doc);
    // Deletes the document's record; when it was current, the first record becomes current.
    void remove(const AcApDocument* doc);
    size_t size() const { return records_.size(); }
    const std::vector<std::unique_ptr<DocumentState>>& records() const { return records_; }

private:
    std::vector<std::unique_ptr<DocumentState>> records_;
    DocumentState* current_ = nullptr;
};

// The current document's record, or null (no registry, or no record could be made). Every
// command and reactor reaches its per-document state through this.
DocumentState* currentDocumentState();
// The record of a document, or null.
DocumentState* documentStateOf(const AcApDocument* doc);

// While there is no current record the persistent reactor must keep still.
inline bool reactorsSuspended()
{
    const DocumentState* record = currentDocumentState();
    return record == nullptr || record->reactorsSuspended;
}

// Keeps the persistent reactor still for the current document while the module makes a
// change of its own, and puts the flag back as it was.
class ReactorSuspension {
public:
    ReactorSuspension() : record_(currentDocumentState())
    {
        if (record_ == nullptr) return;
        was_ = record_->reactorsSuspended;
        record_->reactorsSuspended = true;
    }
    ~ReactorSuspension()
    {
        if (record_ != nullptr) record_->reactorsSuspended = was_;
    }
    ReactorSuspension(const ReactorSuspension&) = delete;
    ReactorSuspension& operator=(const ReactorSuspension&) = delete;

private:
    DocumentState* record_;
    bool was_ = false;
};

}  // namespace kestra
