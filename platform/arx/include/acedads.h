// Editor calls of the ADS layer: commands, system variables, input, AutoLISP bridge.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "adesk.h"
#include "windef.h"

// Commands: acedCommand(type, value, ..., RTNONE) runs host commands synchronously.
ACAD_PORT int acedCommand(int rtype, ...);
ACAD_PORT int acedCmd(const resbuf* rbp);

// The host's main window. A modal dialog disables it while it runs, as Windows disables a
// modal dialog's owner; CMDACTIVE has bit 8 (a dialog box is active) while it is disabled.
ACAD_PORT HWND adsw_acadMainWnd();

// System variables.
ACAD_PORT int acedGetVar(const char* sym, resbuf* result);
ACAD_PORT int acedSetVar(const char* sym, const resbuf* val);

// Coordinate systems: from and to are RTSHORT codes (0 WCS, 1 UCS, 2 DCS of the current
// viewport, or of the current model-space viewport when the other is 3, 3 PSDCS), an entity
// name (RTENAME: that entity's coordinate system) or an extrusion direction (RT3DPOINT: the
// coordinate system of that normal). disp non-zero carries a displacement, not a point.
ACAD_PORT int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result);
// The viewports of the current space: a list of (number, lower-left, upper-right) groups,
// RTSHORT then two RTPOINTs each, the current viewport first. Freed with acutRelRb.
ACAD_PORT int acedVports(resbuf** vlist);

// Input from the current input source (typed, script or AutoLISP command answers).
ACAD_PORT int acedInitGet(int val, const char* kwl);
ACAD_PORT int acedGetKword(const char* prompt, char* result);
ACAD_PORT int acedGetString(int cronly, const char* prompt, char* result);
ACAD_PORT int acedGetPoint(const ads_point pt, const char* prompt, ads_point result);
ACAD_PORT int acedGetReal(const char* prompt, ads_real* result);
ACAD_PORT int acedGetInt(const char* prompt, int* result);
// A distance or an angle (radians): a number (degrees for an angle), or a point measured from
// pt; without pt a point answer is the first of two.
ACAD_PORT int acedGetDist(const ads_point pt, const char* prompt, ads_real* result);
ACAD_PORT int acedGetAngle(const ads_point pt, const char* prompt, ads_real* result);
ACAD_PORT int acedGetInput(char* str);
ACAD_PORT int acedAlert(const char* string);

// Selection sets. A set's name is an ads_name; the sets made here live until acedSSFree
// (those AutoLISP makes, until the session ends). Members are entity names of the current
// drawing, each once, in the order they were added.
// acedSSGet modes: null (the user selects at "Select objects: "; with pt1 a single pick
// there), "I" (the pick-first set), "X" (every entity of the drawing), "L" (the last entity
// of the current space), "P" (the previous selection), "W" and "C" (window and crossing with
// the corners pt1 and pt2, ads_points in the UCS). A leading "_" is allowed. filter, when not
// null, keeps the entities whose lists match it (group codes and values, -4 operators and
// "<AND" "<OR" "<XOR" "<NOT" groups). RTNORM with a new set; RTERROR when nothing was
// selected; RTCAN when cancelled.
ACAD_PORT int acedSSGet(const char* str, const void* pt1, const void* pt2, const resbuf* filter, ads_name ss);
ACAD_PORT int acedSSFree(const ads_name sname);
ACAD_PORT int acedSSLength(const ads_name sname, long* len);
// Adds an entity to a set (sname null: a new set), the set's name in result; with ename
// null too, a new empty set.
ACAD_PORT int acedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
ACAD_PORT int acedSSDel(const ads_name ename, const ads_name ss);
ACAD_PORT int acedSSName(const ads_name ss, long i, ads_name entres);
ACAD_PORT int acedSSMemb(const ads_name ename, const ads_name ss);
// The pick-first set: pset becomes it (null clears it); unused must be null. acedSSGetFirst
// gives (in pset, an RTPICKS item, or RTNIL) the pick-first set; gset is always RTNIL.
ACAD_PORT int acedSSSetFirst(const ads_name pset, const ads_name unused);
ACAD_PORT int acedSSGetFirst(resbuf** gset, resbuf** pset);
// An entity picked at "Select object: " (a point) with that point.
ACAD_PORT int acedEntSel(const char* str, ads_name entres, ads_point ptres);

// The local name of a command from its global name ("_UNDO" -> "UNDO") or the global name of
// a local one; the caller frees newName with free().
ACAD_PORT int acedGetCName(const char* cmd, char** newName);

// AutoLISP bridge.
ACAD_PORT int acedDefun(const char* sname, int funcno);
ACAD_PORT int acedUndef(const char* sname, int funcno);
ACAD_PORT int acedGetFunCode();
ACAD_PORT resbuf* acedGetArgs();
ACAD_PORT int acedRetNil();
ACAD_PORT int acedRetT();
ACAD_PORT int acedRetVoid();
ACAD_PORT int acedRetInt(int ival);
ACAD_PORT int acedRetReal(ads_real rval);
ACAD_PORT int acedRetStr(const char* s);
ACAD_PORT int acedRetPoint(const ads_point pt);
ACAD_PORT int acedRetName(const ads_name aname, int type);
ACAD_PORT int acedRetVal(const resbuf* rbuf);
ACAD_PORT int acedRetList(const resbuf* rbuf);
ACAD_PORT int acedGetSym(const char* sname, resbuf** value);
ACAD_PORT int acedPutSym(const char* sname, resbuf* value);

// Files, help and menus.
ACAD_PORT int acedFindFile(const char* fname, char* result);
ACAD_PORT int acedGetFileD(const char* title, const char* defawlt, const char* ext, int flags, resbuf* result);
ACAD_PORT int acedHelp(const char* szFilename, const char* szTopic, int iCmd);
ACAD_PORT int acedIsMenuGroupLoaded(const char* pszGroupName);
