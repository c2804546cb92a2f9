#pragma once

#include <QtGlobal>

#if defined(TAVOUIELEMENT_LIBRARY)
#define TAVOUIELEMENT_EXPORT Q_DECL_EXPORT
#else
#define TAVOUIELEMENT_EXPORT Q_DECL_IMPORT
#endif
