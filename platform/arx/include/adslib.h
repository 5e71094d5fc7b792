// The ADS layer as one header.
#pragma once
#include "adsdef.h"
#include "adscodes.h"
#include "acutads.h"
#include "acedads.h"
#include "acdbads.h"
