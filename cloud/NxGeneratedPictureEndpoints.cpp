#include "NxGeneratedPictureEndpoints.h"

#include "NxCloudRouter.h"
#include "NxGeneratedCatalogue.h"

void NxGeneratedPictureEndpoints::addRoutes(NxCloudRouter& router)
{
    router.addPrefix(QStringLiteral("GET"), NxGeneratedCatalogue::prefix(), &NxGeneratedPictureEndpoints::serve);
}

NxCloudReply NxGeneratedPictureEndpoints::serve(const NxCloudRequest& request)
{
    const QByteArray picture = NxGeneratedCatalogue::picture(request.path.mid(NxGeneratedCatalogue::prefix().size()));
    return picture.isEmpty() ? NxCloudReply::plainStatus(404) : NxCloudReply::file(picture, "image/png");
}
