#pragma once

#include "NxCloudFileEndpoints.h"

#include <QSharedPointer>
#include <QString>

class NxCloudStore;

// Serves channel pictures (and avatars) as GET /pictures/<file>: those in the
// store's snapshot first, then the files of the picture directory.
class NxPictureEndpoints : public NxCloudFileEndpoints
{
public:
    static QString prefix();

    explicit NxPictureEndpoints(QSharedPointer<NxCloudStore> store);

protected:
    NxCloudReply serve(const NxCloudRequest& request) const override;

private:
    QSharedPointer<NxCloudStore> m_store;
};
