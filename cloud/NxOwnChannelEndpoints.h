#pragma once

#include "NxCloudEndpointGroup.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"

#include <QString>
#include <atomic>

class NxCloudCatalogue;

// A signed-in teacher adds channels to, and deletes them from, the own list
// that "getChannelListByUserId" returns. POST with a JSON body.
class NxOwnChannelEndpoints : public NxCloudEndpointGroup
{
public:
    // The service has answered an added channel in two ways over time.
    enum class AddReply
    {
        WithChannelId,  // "reportUserCustomChannel_ACK" with the new channelId
        ListAck         // older "reportUserCustomChannelList_ACK" with "code"
    };

    explicit NxOwnChannelEndpoints(NxCloudCatalogue& catalogue);

    void setAddReply(AddReply reply);
    AddReply addReply() const;
    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply add(const NxCloudRequest& request) const;
    NxCloudReply remove(const NxCloudRequest& request) const;
    NxCloudReply added(const QString& channelId) const;
    NxCloudReply notAdded(const QString& why) const;
    static NxCloudReply listAck(bool ok, const QString& msg);

    NxCloudCatalogue& m_catalogue;
    std::atomic<AddReply> m_addReply{AddReply::WithChannelId};
};
