#pragma once

// ICU's C API, the one every system has: Windows ships it in its own icu.dll with a single header
// of its own; elsewhere ICU's headers are used.
#if defined(_WIN32)
#include <icu.h>
#else
#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/utypes.h>
#endif
