#pragma once

#include <QtGlobal>

#if defined(NX_PLATFORM_LIBRARY)
#define NX_PLATFORM_EXPORT Q_DECL_EXPORT
#else
#define NX_PLATFORM_EXPORT Q_DECL_IMPORT
#endif
