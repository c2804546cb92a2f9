#include "NxRequestAttempt.h"

#include <atomic>

void* NxRequestAttempt::start()
{
    // Shared by every attempt object, so two owners never hand out one token.
    static std::atomic<quintptr> lastSerial{0};
    m_serial = ++lastSerial;
    return context();
}

void NxRequestAttempt::stop()
{
    m_serial = 0;
}

void* NxRequestAttempt::context() const
{
    return reinterpret_cast<void*>(m_serial);
}

bool NxRequestAttempt::isCurrent(const void* context) const
{
    return m_serial != 0 && context == this->context();
}
