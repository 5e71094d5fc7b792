// Database calls of the ADS layer: entity lists (entget, entmod, entmake, entdel), walking
// the drawing, handles, registered applications, symbol tables and dictionaries. They work on
// the working database (acdbHostApplicationServices()->workingDatabase()) and return RTNORM,
// or RTERROR with nothing changed. Lists are released by the caller with acutRelRb.
#pragma once
#include "adesk.h"
#include "adscodes.h"
#include "adsdef.h"

// The entity's list: (-1 . name), (0 . type), the object and entity groups, the class's own
// groups, in the order the class files them. Null for an unknown name.
ACAD_PORT resbuf* acdbEntGet(const ads_name ent);
// As acdbEntGet, followed by (-3 (app ...) ...) with the extended data of the applications
// named in args (a chain of RTSTR items; "*" names all).
ACAD_PORT resbuf* acdbEntGetX(const ads_name ent, const resbuf* args);
// Changes the entity named by the list's -1 group through its class's DXF reading; groups the
// list leaves out keep their values. A -3 group replaces the extended data of the
// applications it names.
ACAD_PORT int acdbEntMod(const resbuf* ent);
// Makes a new entity (or object) of the class the 0 group names (RTDXF0 or 0) and appends
// it to the current space (paper space with (67 . 1)). acdbEntMakeX also makes objects
// without an owner and gives the new name.
ACAD_PORT int acdbEntMake(const resbuf* ent);
ACAD_PORT int acdbEntMakeX(const resbuf* entm, ads_name result);
// Erases the entity, or unerases it when it is erased.
ACAD_PORT int acdbEntDel(const ads_name ent);
// The last entity that is not erased in the drawing (model space, then the layouts' paper
// spaces in tab order); acdbEntNext with a nil name gives the first.
ACAD_PORT int acdbEntLast(ads_name result);
ACAD_PORT int acdbEntNext(const ads_name ent, ads_name result);
ACAD_PORT int acdbEntUpd(const ads_name ent);

// The object of a handle given as hexadecimal text (either case), erased or not.
ACAD_PORT int acdbHandEnt(const char* handle, ads_name entres);
// Adds a registered application (RTNORM; RTERROR when it is already there or the name is not
// a valid symbol name).
ACAD_PORT int acdbRegApp(const char* appname);
// Symbol tables by name ("LAYER", "LTYPE", "BLOCK", "STYLE", "VIEW", "UCS", "VPORT",
// "APPID", "DIMSTYLE"): the record's list (0 type, 2 name, 70 flags, ...) or null.
ACAD_PORT resbuf* acdbTblSearch(const char* tblname, const char* sym, int setnext);
ACAD_PORT resbuf* acdbTblNext(const char* tblname, int rewind);
ACAD_PORT int acdbTblObjName(const char* tblname, const char* sym, ads_name result);
ACAD_PORT int acdbNamedObjDict(ads_name result);
ACAD_PORT resbuf* acdbDictSearch(const ads_name dict, const char* sym, int setnext);
ACAD_PORT resbuf* acdbDictNext(const ads_name dict, int rewind);
// Bytes a chain of extended data takes, and the bytes left on an entity (16383 in all).
ACAD_PORT int acdbXdSize(const resbuf* rb, long* result);
ACAD_PORT int acdbXdRoom(const ads_name ent, long* result);
// RTNORM when the text is a valid symbol table name (pipetest: allow the xref bar '|').
ACAD_PORT int acdbSNValid(const char* tbstr, int pipetest);
