#include "shell/editor_reactor.h"

#include "shell/document_registry.h"

namespace kestra {

namespace {

void setLispEvaluating(bool evaluating)
{
    if (DocumentState* record = currentDocumentState()) record->lispEvaluating = evaluating;
}

}  // namespace

void MsvEditorReactor::lispWillStart(const char* /*firstLine*/) { setLispEvaluating(true); }

void MsvEditorReactor::lispEnded() { setLispEvaluating(false); }

void MsvEditorReactor::lispCancelled() { setLispEvaluating(false); }

}  // namespace kestra
