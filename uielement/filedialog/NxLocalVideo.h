#pragma once

#include "TavoUIElementGlobal.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QStringList>

// A video file as the opener needs to know it before playing: whether it
// may be played, its key among the resume positions and where it was left,
// and whether the system has a program for it. Found out by inspect(),
// which touches the disk and runs a query program, so it runs on a worker.
class TAVOUIELEMENT_EXPORT NxLocalVideo
{
public:
    // pathOrUrl: a plain path or a "file" address; patterns: the dialog's
    // video filter. askSystem: also find the system's program for it.
    static NxLocalVideo inspect(const QString& pathOrUrl, const QStringList& patterns, bool askSystem);

    bool isPlayable() const { return m_refusal.isEmpty(); }
    // Why it is not, for the log.
    QString refusal() const { return m_refusal; }
    QString path() const { return m_path; }
    QString resumeKey() const { return m_resumeKey; }
    double resumeAt() const { return m_resumeAt; }
    bool hasSystemProgram() const { return m_hasSystemProgram; }

private:
    static QString localPath(const QString& pathOrUrl);

    QString m_path;
    QString m_refusal;
    QString m_resumeKey;
    double m_resumeAt = 0;
    bool m_hasSystemProgram = false;
};

Q_DECLARE_METATYPE(NxLocalVideo)
