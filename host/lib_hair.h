// lib_hair.h - the hair library's post effect (not part of c4d.h).
#pragma once

#define VPhair 1017325
