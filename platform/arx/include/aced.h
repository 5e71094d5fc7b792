// The editor: its reactor and the command stack.
#pragma once
#include "acadstrc.h"
#include "accmd.h"
#include "adesk.h"
#include "adslib.h"
#include "rxobject.h"

class AcDbDatabase;
class AcDbViewport;
class AcGeMatrix3d;

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

// The current UCS of the current viewport as a matrix (UCS -> WCS). Setting it keeps the old
// one for acedRestorePreviousUCS (eNotApplicable when there is none).
ACAD_PORT Acad::ErrorStatus acedGetCurrentUCS(AcGeMatrix3d& mat);
ACAD_PORT Acad::ErrorStatus acedSetCurrentUCS(const AcGeMatrix3d& mat);
ACAD_PORT Acad::ErrorStatus acedRestorePreviousUCS();
// Makes a viewport of the current layout current (as setting CVPORT does).
ACAD_PORT Acad::ErrorStatus acedSetCurrentVPort(int vpnumber);
ACAD_PORT Acad::ErrorStatus acedSetCurrentVPort(const AcDbViewport* pVp);

// Aborts the host with a message; used when an object that was opened cannot be closed.
[[noreturn]] ACAD_PORT void acrx_abort(const char* format, ...);
