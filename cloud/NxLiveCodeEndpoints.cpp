#include "NxLiveCodeEndpoints.h"

#include "NxCloudCatalogue.h"
#include "NxCloudRouter.h"

namespace {
const int kNotFound = 1001;
}

NxLiveCodeEndpoints::NxLiveCodeEndpoints(NxCloudCatalogue& catalogue, std::function<QString()> baseUrl)
    : NxCloudLinkingEndpoints(std::move(baseUrl))
    , m_catalogue(catalogue)
{
}

void NxLiveCodeEndpoints::addRoutes(NxCloudRouter& router)
{
    router.add(QStringLiteral("GET"), QStringLiteral("/backendService/liveService/getLiveInfoByCode"),
               [this](const NxCloudRequest& r) { return liveInfo(r); });
}

NxCloudReply NxLiveCodeEndpoints::liveInfo(const NxCloudRequest& request) const
{
    const QString clip = m_catalogue.liveClip(request.queryFields().value(QStringLiteral("streamCodeDevice")).trimmed());
    if (clip.isEmpty())
        return answer(kNotFound, QStringLiteral("live code not found"), QJsonObject());
    const QString url = linksFor(request).pictureUrl(clip);
    return answer(0, QStringLiteral("ok"), QJsonObject{{QStringLiteral("livePlayRtmpUrl"), url}});
}

NxCloudReply NxLiveCodeEndpoints::answer(int code, const QString& msg, const QJsonObject& result)
{
    return NxCloudReply::json(QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("msg"), msg},
                                          {QStringLiteral("result"), result}});
}
