#include "NxChannelCloud.h"

#include "NxWebCmdCtrl.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

NxChannelCloud::NxChannelCloud(const QJsonObject& seed)
{
    const QString channelDir = m_env.dataRoot() + QStringLiteral("/channel");
    QDir().mkpath(channelDir);
    QCoreApplication::instance()->setProperty("channelDir", channelDir);
    m_cloud = new NxTestCloud(seed);
    m_client = new NxWebCmdCtrl;
    m_client->init();
    m_manager.setWebCommandCtrl(m_client);
}

NxChannelCloud::~NxChannelCloud()
{
    delete m_client;
    delete m_cloud;
}

NxTestCloud& NxChannelCloud::cloud()
{
    return *m_cloud;
}

NxWebCmdCtrl& NxChannelCloud::client()
{
    return *m_client;
}

INxControllerManager* NxChannelCloud::manager()
{
    return &m_manager;
}

QString NxChannelCloud::addPicture(const QString& file, const QColor& colour, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QDir(m_cloud->pictureDir()).filePath(file), "PNG");
    return m_cloud->pictureUrl(file);
}
