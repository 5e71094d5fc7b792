// The document-manager reactor of the document registry: a document created or about to be
// activated gets its record made current; a document about to be destroyed loses its record.
#pragma once
#include "acdocman.h"

namespace kestra {

class DocumentRegistry;
struct KestraModule;

class DocumentRegistryReactor : public AcApDocManagerReactor {
public:
    explicit DocumentRegistryReactor(DocumentRegistry& registry) : registry_(registry) {}

    void documentCreated(AcApDocument* doc) override;
    void documentToBeActivated(AcApDocument* doc) override;
    void documentToBeDestroyed(AcApDocument* doc) override;

private:
    DocumentRegistry& registry_;
};

// Creates the registry with a record for the host's current document and adds its reactor
// to the document manager.
void createDocumentRegistry(KestraModule& module);
// Removes the reactor from the document manager, then discards every record.
void destroyDocumentRegistry(KestraModule& module);

}  // namespace kestra
