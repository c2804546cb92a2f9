#pragma once

#include <QMutex>
#include <QString>
#include <QVector>
#include <QtGlobal>

// Answer times of the simulated panels, collected per interval: how many
// answers, how many of them catalogue answers, failures, and percentiles.
class NxLoadRecorder
{
public:
    struct Figures
    {
        qint64 answers = 0;
        qint64 catalogueAnswers = 0;
        qint64 failures = 0;
        qint64 retries = 0;
        double p50Ms = 0;
        double p99Ms = 0;
        double maxMs = 0;
    };

    void record(bool catalogue, bool ok, qint64 microseconds);
    // A request sent again on a new connection, as the program's network
    // access does when a kept-alive connection was closed under it.
    void retried();
    // What was recorded since the last take, and a fresh start.
    Figures take();
    // Everything ever recorded (percentiles over all of it).
    Figures total() const;

private:
    static Figures figures(QVector<qint64> times, const Figures& counts);

    mutable QMutex m_mutex;
    QVector<qint64> m_interval;
    QVector<qint64> m_all;
    Figures m_counts;
    Figures m_allCounts;
};
