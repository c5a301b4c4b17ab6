// lib_hair.h - the hair library's post effect, VPhair (not part of c4d.h in
// the host's SDK; the number lives in c4d_host_numbers.h).
#pragma once

#include "c4d_host_numbers.h"
