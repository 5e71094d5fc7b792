// RegKestra: run once by the product's installer to register Kestra2000 with every installed
// host product of a release, and optionally to copy the values listed in an INI file into the
// machine's registry.
//
//   RegKestra /R15.0        register with the host only
//   RegKestra /Fsetup.ini   read the release from the INI file, register, copy its keys
//
// It reports only through RegKestra.log and the TEMPTXT.log trace, and always exits with 0.
// Every registry change of a run is written at its end, each hive file once and atomically, so
// that an install is all or nothing and its time grows linearly with the values it writes.
#pragma once

namespace regkestra {

// One run of RegKestra with the program's arguments (argv[0] names the program, whose folder
// receives the logs).
void runRegKestra(int argc, const char* const* argv);

}  // namespace regkestra
