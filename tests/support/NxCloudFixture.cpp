#include "NxCloudFixture.h"

#include "NxWebCmdCtrl.h"

NxCloudFixture::NxCloudFixture(const QJsonObject& seed)
    : m_channelDir(m_env.useChannelDir())
    , m_cloud(seed)
{
}

NxCloudFixture::~NxCloudFixture()
{
    stopClient();
}

NxTestEnvironment& NxCloudFixture::env()
{
    return m_env;
}

NxTestCloud& NxCloudFixture::cloud()
{
    return m_cloud;
}

const NxTestCloud& NxCloudFixture::cloud() const
{
    return m_cloud;
}

QString NxCloudFixture::channelDir() const
{
    return m_channelDir;
}

NxWebCmdCtrl* NxCloudFixture::startClient()
{
    stopClient();
    m_client = std::make_unique<NxWebCmdCtrl>();
    m_client->init();
    return m_client.get();
}

NxWebCmdCtrl* NxCloudFixture::client() const
{
    return m_client.get();
}

void NxCloudFixture::stopClient()
{
    m_client.reset();
}
