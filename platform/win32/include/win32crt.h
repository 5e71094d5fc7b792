// The two C runtime functions of the Windows runtime that the plug-in and the installer use.
#pragma once

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
#define _CVTBUFSIZE 349

#ifdef __cplusplus
extern "C" {
#endif

// Splits a path into drive ("X:", else empty), folder (up to and including the last "\" or
// "/"), file name and extension (from the last "." of the name, included). Any output may be
// NULL; outputs are sized _MAX_DRIVE, _MAX_DIR, _MAX_FNAME and _MAX_EXT and truncated to them.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);

// Digits of value rounded to count decimals, without sign or point; *dec receives the position
// of the decimal point from the start of the digits (zero or negative: left of the first
// digit), *sign is non-zero for a negative value. The buffer is per thread and is overwritten
// by the next call.
char* _fcvt(double value, int count, int* dec, int* sign);

#ifdef __cplusplus
}
#endif
