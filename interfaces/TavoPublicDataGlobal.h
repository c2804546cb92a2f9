#pragma once

#include <QtGlobal>

#if defined(TAVOPUBLICDATA_LIBRARY)
#define TAVOPUBLICDATA_EXPORT Q_DECL_EXPORT
#else
#define TAVOPUBLICDATA_EXPORT Q_DECL_IMPORT
#endif
