// Forced into every translation unit of the Windows build, before anything else: the first
// <windows.h> of a file may come from <GL/gl.h>, not from platform.h, and these settings
// must already hold then.
#pragma once

// The framework's wide strings are UTF-16 literals (u"..."), whose type is char16_t on
// every compiler; the Windows headers name their UTF-16 unit WCHAR and make it wchar_t,
// which has the same size and representation there but is a distinct C++ type. Giving
// WCHAR the literal's type (the headers leave it alone once __WCHAR_DEFINED is set) lets
// the same source pass u"..." to CreateWindowExW on both systems; the functions have C
// linkage, so the type is invisible to the linker.
#define __WCHAR_DEFINED
typedef char16_t WCHAR;
// The one header that needs WCHAR to be wchar_t: inline helpers for unaligned wide
// strings, built on the C library's wcs* functions. Nothing here uses them.
#define __STRALIGN_H_

// No min and max macros over std::min and std::max; only the parts of the API we call.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
