#pragma once

#include <QtGlobal>

#if defined(RELAYNET_LIBRARY)
#define RELAYNET_EXPORT Q_DECL_EXPORT
#else
#define RELAYNET_EXPORT Q_DECL_IMPORT
#endif
