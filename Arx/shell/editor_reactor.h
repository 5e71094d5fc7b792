// The module's editor reactor. Its AutoLISP events keep the current document's LISP
// evaluation flag: set from lispWillStart to lispEnded or lispCancelled.
#pragma once
#include "aced.h"

namespace kestra {

class MsvEditorReactor : public AcEditorReactor {
public:
    void lispWillStart(const char* firstLine) override;
    void lispEnded() override;
    void lispCancelled() override;
};

}  // namespace kestra
