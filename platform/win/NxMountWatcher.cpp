#include "NxMountWatcher.h"

// Windows announces volumes with WM_DEVICECHANGE, decoded by the native
// event filter; nothing to watch here.
struct NxMountWatcher::Private {
};

NxMountWatcher::NxMountWatcher(QObject* parent, const QString&, const QString&)
    : QObject(parent)
    , d(new Private)
{
}

NxMountWatcher::~NxMountWatcher() = default;

void NxMountWatcher::start(int)
{
}

void NxMountWatcher::check()
{
}
