// Result-buffer type codes, result codes and input-control bits of the AutoLISP bridge.
#pragma once

#define RTNONE 5000
#define RTREAL 5001
#define RTPOINT 5002
#define RTSHORT 5003
#define RTANG 5004
#define RTSTR 5005
#define RTENAME 5006
#define RTPICKS 5007
#define RTORINT 5008
#define RT3DPOINT 5009
#define RTLONG 5010
#define RTVOID 5014
#define RTLB 5016
#define RTLE 5017
#define RTDOTE 5018
#define RTNIL 5019
#define RTDXF0 5020
#define RTT 5021
#define RTRESBUF 5023

#define RTNORM 5100
#define RTERROR (-5001)
#define RTCAN (-5002)
#define RTREJ (-5003)
#define RTFAIL (-5004)
#define RTKWORD (-5005)

#define RSG_NONULL 0x01
#define RSG_NOZERO 0x02
#define RSG_NONEG 0x04
#define RSG_NOLIM 0x08
#define RSG_GETZ 0x10
#define RSG_DASH 0x20
#define RSG_2D 0x40
#define RSG_OTHER 0x80

// acedTrans coordinate systems.
#define RTWCS 0
#define RTUCS 1
#define RTDCS 2
#define RTPSDCS 3

#define X 0
#define Y 1
#define Z 2

// What an application's entry point answers to kInvkSubrMsg: a result was set, or the
// evaluation failed.
#define RSRSLT 1
#define RSERR 3
