#include "shell/document_registry.h"

#include <algorithm>
#include <new>

#include "shell/kestra_module.h"

namespace kestra {

DocumentRegistry::DocumentRegistry(AcApDocument* currentDocument)
{
    if (currentDocument != nullptr) makeCurrent(currentDocument);
}

DocumentState* DocumentRegistry::find(const AcApDocument* doc) const
{
    for (const auto& record : records_)
        if (record->document == doc) return record.get();
    return nullptr;
}

void DocumentRegistry::makeCurrent(AcApDocument* doc)
{
    if (doc == nullptr) return;
    if (DocumentState* existing = find(doc)) {
        current_ = existing;
        return;
    }
    try {
        records_.push_back(std::make_unique<DocumentState>(doc));
        current_ = records_.back().get();
    } catch (const std::bad_alloc&) {
        current_ = nullptr;
    }
}

void DocumentRegistry::remove(const AcApDocument* doc)
{
    auto it =
        std::find_if(records_.begin(), records_.end(), [doc](const auto& record) { return record->document == doc; });
    if (it == records_.end()) return;
    bool wasCurrent = it->get() == current_;
    records_.erase(it);
    if (wasCurrent) current_ = records_.empty() ? nullptr : records_.front().get();
}

DocumentState* currentDocumentState()
{
    KestraModule* module = kestraModule();
    return module && module->documents ? module->documents->current() : nullptr;
}

DocumentState* documentStateOf(const AcApDocument* doc)
{
    KestraModule* module = kestraModule();
    return module && module->documents ? module->documents->find(doc) : nullptr;
}

}  // namespace kestra
