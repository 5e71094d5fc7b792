// The layout manager and its reactor. One layout manager serves the application; it works on
// the working database unless a call names another. Its changes go through the database as
// any other, so each one is undone with the command that made it; the reactors hear the
// changes the manager makes, not the ones undo makes.
#pragma once
#include "acadstrc.h"
#include "adesk.h"
#include "dbid.h"
#include "rxboiler.h"
#include "rxobject.h"

class AcDbDatabase;
class AcDbLayout;

// Base of the reactors added to the layout manager; every event does nothing unless
// overridden. Events come in this order: layoutToBeRemoved, (layoutSwitched when the current
// layout goes), layoutRemoved or abortLayoutRemoved; layoutToBeRenamed, layoutRenamed or
// abortLayoutRename; layoutCreated; layoutSwitched.
class ACAD_PORT AcDbLayoutManagerReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayoutManagerReactor);

    virtual void layoutCreated(const char* newLayoutName, const AcDbObjectId& layoutId);
    virtual void layoutToBeRemoved(const char* layoutName, const AcDbObjectId& layoutId);
    virtual void layoutRemoved(const char* layoutName, const AcDbObjectId& layoutId);
    virtual void abortLayoutRemoved(const AcDbObjectId& layoutId);
    virtual void layoutToBeCopied(const char* layoutName, const AcDbObjectId& oldLayoutId);
    virtual void layoutCopied(const char* oldLayoutName, const AcDbObjectId& oldLayoutId, const char* newLayoutname,
                              const AcDbObjectId& newLayoutId);
    virtual void abortLayoutCopied(const char* layoutName, const AcDbObjectId& layoutId);
    virtual void layoutToBeRenamed(const char* oldName, const char* newName, const AcDbObjectId& layoutId);
    virtual void layoutRenamed(const char* oldName, const char* newName, const AcDbObjectId& layoutId);
    virtual void abortLayoutRename(const char* oldName, const char* newName, const AcDbObjectId& layoutId);
    virtual void layoutSwitched(const char* newLayoutname, const AcDbObjectId& newLayoutId);
};

class ACAD_PORT AcDbLayoutManager : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayoutManager);

    // Makes the layout current (names compare without regard to case; "Model" is the Model
    // tab). eKeyNotFound when there is no such layout.
    virtual Acad::ErrorStatus setCurrentLayout(const char* newname);
    virtual Acad::ErrorStatus setCurrentLayoutId(AcDbObjectId layoutId);
    // The name of the current layout; with allowModel false a paper layout's name even while
    // the Model tab is current (the one last current). The text lives until the next call.
    virtual const char* findActiveLayout(Adesk::Boolean allowModel);
    virtual AcDbObjectId getActiveLayoutBTRId();
    // The layout of that name (any case), open for read when leaveRecordOpen is set (the
    // caller closes it), else closed and only its presence told by a non-null result; null
    // when there is none.
    virtual AcDbLayout* findLayoutNamed(const char* name, Adesk::Boolean leaveRecordOpen = Adesk::kFalse,
                                        AcDbDatabase* pDatabase = nullptr);
    virtual Adesk::Boolean layoutExists(const char* name, AcDbDatabase* pDatabase = nullptr);
    // A new layout with its own paper-space block, last in tab order. eDuplicateKey when the
    // name is taken, eInvalidInput when it is not a valid layout name.
    virtual Acad::ErrorStatus createLayout(const char* newname, AcDbObjectId& layoutId, AcDbObjectId& blockTableRecId,
                                           AcDbDatabase* pDatabase = nullptr);
    // Erases the layout with its block and everything drawn on it. The current layout hands
    // over to the next one in tab order first. eKeyNotFound for an unknown name,
    // eNotApplicable for the Model layout and for the last paper layout.
    virtual Acad::ErrorStatus deleteLayout(const char* delname);
    // eKeyNotFound for an unknown old name, eNotApplicable for the Model layout,
    // eDuplicateKey when another layout has the new name, eInvalidInput for a name a layout
    // cannot have.
    virtual Acad::ErrorStatus renameLayout(const char* oldname, const char* newname);
    virtual int countLayouts(AcDbDatabase* pDatabase = nullptr);

    virtual void addReactor(AcDbLayoutManagerReactor* newObj);
    virtual void removeReactor(AcDbLayoutManagerReactor* delObj);
};
