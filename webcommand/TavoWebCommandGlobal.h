#pragma once

#include <QtGlobal>

#if defined(TAVOWEBCOMMAND_LIBRARY)
#define TAVOWEBCOMMAND_EXPORT Q_DECL_EXPORT
#else
#define TAVOWEBCOMMAND_EXPORT Q_DECL_IMPORT
#endif
