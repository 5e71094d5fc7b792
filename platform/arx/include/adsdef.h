// The result buffer and the ADS value types.
#pragma once

typedef double ads_real;
typedef ads_real ads_point[3];
typedef long ads_name[2];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef long* ads_namep;

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    char* rstring;
    long rlname[2];
    long rlong;
    struct ads_binary {
        short clen;
        char* buf;
    } rbinary;
};

typedef ads_u_val::ads_binary ads_binary;

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};

#define ads_point_set(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1], (to)[2] = (from)[2])
#define ads_name_set(from, to) ((to)[0] = (from)[0], (to)[1] = (from)[1])
#define ads_name_clear(name) ((name)[0] = (name)[1] = 0)
#define ads_name_nil(name) ((name)[0] == 0 && (name)[1] == 0)
#define ads_name_equal(a, b) ((a)[0] == (b)[0] && (a)[1] == (b)[1])
