#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QMutex>
#include <QString>

// Serves the files of one directory as GET <prefix><file>.
class NxCloudFileEndpoints : public NxCloudEndpointGroup
{
public:
    explicit NxCloudFileEndpoints(const QString& prefix);

    void setDirectory(const QString& dir);
    QString directory() const;
    void addRoutes(NxCloudRouter& router) override;

    // A name that stays inside the directory.
    static bool isPlainFileName(const QString& name);
    static QByteArray contentType(const QString& name);

protected:
    // The answer for a file that was found; subclasses may add to it.
    virtual NxCloudReply found(const NxCloudRequest& request, const QByteArray& data,
                               const QByteArray& contentType) const;
    // The answer from the directory.
    virtual NxCloudReply serve(const NxCloudRequest& request) const;
    QString fileName(const NxCloudRequest& request) const;

private:

    const QString m_prefix;
    mutable QMutex m_mutex;
    QString m_dir;
};
