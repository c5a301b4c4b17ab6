// c4d_videopostdata.h - type ids of the host's post effects (the numbers live
// in c4d_host_numbers.h, which the host shares).
#pragma once

#include "c4d_host_numbers.h"
