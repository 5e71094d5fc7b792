// Utility calls of the ADS layer: command-line output, result-buffer lists, wild cards.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "adesk.h"

// Prints to the command line; the text is the host's ANSI (code page 1252).
ACAD_PORT int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

ACAD_PORT resbuf* acutNewRb(int type);
ACAD_PORT int acutRelRb(resbuf* chain);
// acutBuildList(type, value, type, value, ..., 0): builds a result-buffer chain.
ACAD_PORT resbuf* acutBuildList(int rtype, ...);

// AutoLISP wcmatch rules; RTNORM on a match, RTERROR otherwise.
ACAD_PORT int acutWcMatch(const char* string, const char* pattern);
