/* The part of CoreFoundation that the SDK's core framework uses (the first
   weekday of the current locale), declared from Apple's documented API so
   that the macOS cross build needs no copy of Apple's headers. The build
   dead-strips the one function that calls these, so the module does not load
   CoreFoundation; only the type names reach it. */
#ifndef BREVIO_CF_COREFOUNDATION_H
#define BREVIO_CF_COREFOUNDATION_H

#include <CoreFoundation/CFError.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef long CFIndex;
typedef const void* CFTypeRef;
typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
typedef const struct __CFLocale* CFLocaleRef;
typedef struct __CFCalendar* CFCalendarRef;
typedef CFStringRef CFCalendarIdentifier;

extern const CFAllocatorRef kCFAllocatorDefault;
extern const CFCalendarIdentifier kCFGregorianCalendar;

void CFRelease(CFTypeRef cf);
CFLocaleRef CFLocaleCopyCurrent(void);
CFCalendarRef CFCalendarCreateWithIdentifier(CFAllocatorRef allocator,
                                             CFCalendarIdentifier identifier);
void CFCalendarSetLocale(CFCalendarRef calendar, CFLocaleRef locale);
CFIndex CFCalendarGetFirstWeekday(CFCalendarRef calendar);

#ifdef __cplusplus
}
#endif

#endif
