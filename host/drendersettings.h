// drendersettings.h - entries of a render-settings container and their values
// (the numbers live in c4d_host_numbers.h, which the host shares).
#pragma once

#include "c4d_host_numbers.h"
