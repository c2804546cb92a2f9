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
        double p50Ms = 0;
        double p99Ms = 0;
        double maxMs = 0;
    };

    void record(bool catalogue, bool ok, qint64 microseconds);
    // What was recorded since the last take, and a fresh start.
    Figures take();
    // Everything ever recorded (percentiles over all of it).
    Figures total() const;

private:
    static Figures figures(QVector<qint64> times, qint64 answers, qint64 catalogue, qint64 failures);

    mutable QMutex m_mutex;
    QVector<qint64> m_interval;
    QVector<qint64> m_all;
    qint64 m_answers = 0;
    qint64 m_catalogue = 0;
    qint64 m_failures = 0;
    qint64 m_allAnswers = 0;
    qint64 m_allCatalogue = 0;
    qint64 m_allFailures = 0;
};
