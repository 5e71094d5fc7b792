// Sending an object's notifications: to its transient reactors, to its persistent reactors
// (each opened for notify, given the notification, closed) and to the database reactors.
// Nothing is sent while a loader fills the database or while it is being destroyed.
#pragma once
#include "dbmain.h"

namespace arx::db {

void sendOpenedForModify(AcDbObject* obj);
// At the close (or downgrade) of a write open: objectAppended for an object added during
// the open; otherwise modified (or modifyUndone when undo restored it), modifiedXData,
// modifiedGraphics, and objectModified to the database reactors.
void sendCommitNotifications(AcDbObject* obj);
void sendErased(AcDbObject* obj, bool erasing);
void sendCopied(const AcDbObject* original, const AcDbObject* copy);
void sendUnappended(AcDbObject* obj);
void sendReappended(AcDbObject* obj);
void sendCancelled(AcDbObject* obj);
// After the object is closed: it can be opened again by the reactors.
void sendObjectClosed(AcDbObject* obj);
void sendGoodbye(AcDbObject* obj);

}  // namespace arx::db
