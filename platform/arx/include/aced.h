// The editor: its reactor and the command stack.
#pragma once
#include "accmd.h"
#include "adesk.h"
#include "adslib.h"
#include "rxobject.h"

class AcDbDatabase;

class ACAD_PORT AcEditorReactor : public AcRxObject {
public:
    virtual void commandWillStart(const char* cmdStr) {}
    virtual void commandEnded(const char* cmdStr) {}
    virtual void commandCancelled(const char* cmdStr) {}
    virtual void commandFailed(const char* cmdStr) {}
    virtual void lispWillStart(const char* firstLine) {}
    virtual void lispEnded() {}
    virtual void lispCancelled() {}
    virtual void beginDxfIn(AcDbDatabase*) {}
    virtual void dxfInComplete(AcDbDatabase*) {}
    virtual void beginSave(AcDbDatabase*, const char* pIntendedName) {}
    virtual void saveComplete(AcDbDatabase*, const char* pActualName) {}
    virtual void beginClose(AcDbDatabase*) {}
    virtual void beginQuit() {}
    virtual void modelessOperationWillStart(const char* contextStr) {}
    virtual void modelessOperationEnded(const char* contextStr) {}
    virtual void sysVarChanged(const char* varName, Adesk::Boolean success) {}
    virtual void sysVarWillChange(const char* varName) {}
};

class ACAD_PORT AcEditor : public AcRxObject {
public:
    void addReactor(AcEditorReactor* reactor);
    void removeReactor(AcEditorReactor* reactor);
};
ACAD_PORT AcEditor* acedEditorPtr();
#define acedEditor (acedEditorPtr())

// Aborts the host with a message; used when an object that was opened cannot be closed.
[[noreturn]] ACAD_PORT void acrx_abort(const char* format, ...);
