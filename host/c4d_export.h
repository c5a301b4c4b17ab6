// c4d_export.h - marks the few symbols the module exports to the host.
#pragma once

#if defined(_WIN32)
#define C4D_EXPORT __declspec(dllexport)
#else
#define C4D_EXPORT __attribute__((visibility("default")))
#endif
