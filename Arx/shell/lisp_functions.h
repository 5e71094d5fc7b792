// The AutoLISP functions of the shell, one per function code (the settings switches are in
// settings/settings_lisp_functions.h). Each applies its argument rule, then does its work or
// hands the arguments to it.
#pragma once
#include "adsdef.h"

namespace kestra {

int vaduMepSetStandardScale(const resbuf* args);      // 0
int aideTopicMsv(const resbuf* args);                 // 1
int vaduKestraCount(const resbuf* args);              // 2
int vaduKestraPath(const resbuf* args);               // 3
int vaduKsMake(const resbuf* args);                   // 4
int vaduKsRefresh(const resbuf* args);                // 5
int vaduKsScale(const resbuf* args);                  // 6
int vaduKsPlan(const resbuf* args);                   // 7
int vaduKsUcs(const resbuf* args);                    // 8
int vaduKsViewUcs(const resbuf* args);                // 9
int vaduKsMenu(const resbuf* args);                   // 10
int vaduKsList(const resbuf* args);                   // 11
int vaduKsVersion(const resbuf* args);                // 12
int vaduKsHelp(const resbuf* args);                   // 13
int vaduKestraSurrounding(const resbuf* args);        // 14
int vaduKestraList(const resbuf* args);               // 15
int vaduVPortList(const resbuf* args);                // 16
int vaduUnloadMenus(const resbuf* args);              // 17
int vaduKsGoto(const resbuf* args);                   // 21
int vaduKestraAerialViewEnabled(const resbuf* args);  // 22
int vaduKestraShellExecute(const resbuf* args);       // 23
int vaduKsOptions(const resbuf* args);                // 24
int vaduKestraSilentMode(const resbuf* args);         // 25
int vaduKestraLoadCtrls(const resbuf* args);          // 26
int vaduKsRepair(const resbuf* args);                 // 27

}  // namespace kestra
