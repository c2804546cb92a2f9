#pragma once

#include "TavoUIElementGlobal.h"

#include <QImage>
#include <QString>

#include <functional>

// Pictures decoded on pool threads ahead of the widgets that show them, for a
// window about to be built: its first frame then waits only for what is not
// ready yet. Started and taken on the GUI thread, each under its own key.
class TAVOUIELEMENT_EXPORT NxPictureJobs
{
public:
    // Runs decode on a pool thread unless a job of this key is under way.
    static void start(const QString& key, const std::function<QImage()>& decode);
    static bool has(const QString& key);
    // The job's picture, waited for; null when no job of this key was started.
    static QImage take(const QString& key);
};
