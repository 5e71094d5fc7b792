// Editor calls of the ADS layer: commands, system variables, input, AutoLISP bridge.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "adesk.h"

// Commands: acedCommand(type, value, ..., RTNONE) runs host commands synchronously.
ACAD_PORT int acedCommand(int rtype, ...);
ACAD_PORT int acedCmd(const resbuf* rbp);

// System variables.
ACAD_PORT int acedGetVar(const char* sym, resbuf* result);
ACAD_PORT int acedSetVar(const char* sym, const resbuf* val);

// Coordinate systems: from and to are RTSHORT codes (0 WCS, 1 UCS, 2 DCS of the current
// viewport, or of the current model-space viewport when the other is 3, 3 PSDCS), an entity
// name (RTENAME: that entity's coordinate system) or an extrusion direction (RT3DPOINT: the
// coordinate system of that normal). disp non-zero carries a displacement, not a point.
ACAD_PORT int acedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp,
                        ads_point result);
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
ACAD_PORT int acedGetInput(char* str);
ACAD_PORT int acedAlert(const char* string);

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
ACAD_PORT int acedGetFileD(const char* title, const char* defawlt, const char* ext, int flags,
                           resbuf* result);
ACAD_PORT int acedHelp(const char* szFilename, const char* szTopic, int iCmd);
ACAD_PORT int acedIsMenuGroupLoaded(const char* pszGroupName);
