#pragma once

#include "TavoWebCommandGlobal.h"

#include <QtGlobal>

// One context per attempt of a request that can be made again (the
// resources of a sign-in, a live code): the answer brings back the context
// it was asked with, so an answer to an earlier attempt is told from the
// current one. A context is only a token for the opaque context argument of
// the web command controller, never dereferenced; no two attempts of a run
// share one.
class TAVOWEBCOMMAND_EXPORT NxRequestAttempt
{
public:
    // Begins a new attempt; every earlier one is over. Returns its context.
    void* start();
    // No attempt is current any more.
    void stop();
    // The current attempt's context, null when there is none.
    void* context() const;
    bool isCurrent(const void* context) const;

private:
    quintptr m_serial = 0;
};
