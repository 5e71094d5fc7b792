#include "shell/document_registry_reactor.h"

#include "shell/document_registry.h"
#include "shell/kestra_module.h"

namespace kestra {

void DocumentRegistryReactor::documentCreated(AcApDocument* doc) { registry_.makeCurrent(doc); }

void DocumentRegistryReactor::documentToBeActivated(AcApDocument* doc) { registry_.makeCurrent(doc); }

void DocumentRegistryReactor::documentToBeDestroyed(AcApDocument* doc) { registry_.remove(doc); }

void createDocumentRegistry(KestraModule& module)
{
    if (module.documents) return;
    AcApDocManager* manager = acDocManager;
    module.documents = std::make_unique<DocumentRegistry>(manager ? manager->curDocument() : nullptr);
    module.documentReactor = std::make_unique<DocumentRegistryReactor>(*module.documents);
    if (manager != nullptr) manager->addReactor(module.documentReactor.get());
}

void destroyDocumentRegistry(KestraModule& module)
{
    if (module.documentReactor) {
        if (AcApDocManager* manager = acDocManager) manager->removeReactor(module.documentReactor.get());
        module.documentReactor.reset();
    }
    module.documents.reset();
}

}  // namespace kestra
