#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QMutex>
#include <QString>

// Serves channel pictures from one directory as GET /pictures/<file>.
class NxPictureEndpoints : public NxCloudEndpointGroup
{
public:
    static QString prefix();

    void setDirectory(const QString& dir);
    QString directory() const;
    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply picture(const NxCloudRequest& request) const;
    static bool isPlainFileName(const QString& name);
    static QByteArray contentType(const QString& name);

    mutable QMutex m_mutex;
    QString m_dir;
};
