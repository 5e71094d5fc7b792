// The module's editor reactor. It brackets every host command and every AutoLISP
// evaluation: at the start it empties the copies noted by the persistent reactor and, before
// a layout is plotted, checks that every associated viewport still shows what its mark
// outlines; at the end it strips the association from copied viewports and outline block
// references and, after VPCLIP, reminds the user to mark the viewport again. Before the
// current drawing is saved it rebuilds the association store. Its AutoLISP events also keep
// the current document's LISP evaluation flag.
#pragma once
#include "aced.h"

namespace kestra {

class MsvEditorReactor : public AcEditorReactor {
public:
    void beginSave(AcDbDatabase* database, const char* intendedName) override;
    void commandWillStart(const char* commandName) override;
    void commandEnded(const char* commandName) override;
    void commandCancelled(const char* commandName) override;
    void commandFailed(const char* commandName) override;
    void lispWillStart(const char* firstLine) override;
    void lispEnded() override;
    void lispCancelled() override;

private:
    void commandFinished(const char* commandName);
};

// Makes each copied viewport or outline block reference an ordinary object: its persistent
// reactors of the module and its partner handle record are removed. Empties the list.
void stripCopiedAssociations();

}  // namespace kestra
