#include "shell/lisp_guard.h"

#include "shell/document_registry.h"
#include "shell/message_routing.h"

namespace kestra {

std::string sorryMessage(const char* functionName)
{
    std::string message = "Sorry!\nYou must use the function \n(";
    message += functionName;
    message += ") in an AutoLISP function.";
    return message;
}

bool lispGuardRefuses(const char* functionName)
{
    const DocumentState* record = currentDocumentState();
    if (record == nullptr || !record->lispEvaluating) return false;
    showRefusal(sorryMessage(functionName).c_str());
    return true;
}

LispFlagBracket::LispFlagBracket()
{
    DocumentState* record = currentDocumentState();
    if (record == nullptr) return;
    document_ = record->document;
    saved_ = record->lispEvaluating;
    record->lispEvaluating = false;
    active_ = true;
}

LispFlagBracket::~LispFlagBracket()
{
    if (!active_) return;
    // The record is looked up again: the work may have closed documents meanwhile.
    if (DocumentState* record = documentStateOf(document_)) record->lispEvaluating = saved_;
}

}  // namespace kestra
