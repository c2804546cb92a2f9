#include "NxPictureEndpoints.h"

#include "NxCloudStore.h"

QString NxPictureEndpoints::prefix()
{
    return QStringLiteral("/pictures/");
}

NxPictureEndpoints::NxPictureEndpoints(QSharedPointer<NxCloudStore> store)
    : NxCloudFileEndpoints(prefix())
    , m_store(std::move(store))
{
}

NxCloudReply NxPictureEndpoints::serve(const NxCloudRequest& request) const
{
    NxCloudPictureTable::Picture picture;
    if (m_store->snapshot()->picture(fileName(request), &picture))
        return found(request, picture.data, picture.contentType);
    return NxCloudFileEndpoints::serve(request);
}
