#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <functional>

// The program's log message handler: appends each message to a log file named
// by the current minute, under the directory version.ini names.
class NxLogHandler
{
public:
    static void install();
    static void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    static QString formatLine(const QDateTime& now, QtMsgType type, const QMessageLogContext& context, const QString& message);
    static QString fileName(const QDateTime& now);
    // Highest message type written for a Level value.
    static int threshold(const QString& level);

    // Test seam: the clock the handler reads (null restores the real one).
    static void setClock(std::function<QDateTime()> clock);

private:
    static QDateTime now();
};
