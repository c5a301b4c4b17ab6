/* The part of CoreFoundation's CFError interface that the SDK's core
   framework names, declared from Apple's documented API so that the macOS
   cross build needs no copy of Apple's headers: the opaque error type only. */
#ifndef BREVIO_CF_CFERROR_H
#define BREVIO_CF_CFERROR_H

typedef struct __CFError* CFErrorRef;

#endif
