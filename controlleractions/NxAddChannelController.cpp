#include "NxAddChannelController.h"

#include "INxWebCommandController.h"
#include "NxChannelSet.h"
#include "NxLocalChannelFile.h"

#include <QDebug>
#include <QJsonArray>

NxAddChannelController::NxAddChannelController(QObject* parent)
    : QObject(parent)
    , m_channelDir(NxLocalChannelFile::channelDir() + QLatin1Char('/'))
{
}

QObject* NxAddChannelController::getObject()
{
    return this;
}

void NxAddChannelController::setWebCommandCtrl(INxWebCommandController* ctrl)
{
    qRegisterMetaType<QSharedPointer<NxChannelSet>>("QSharedPointer<NxChannelSet>");
    m_webCommand = ctrl;
    if (ctrl)
        connect(ctrl->getObject(), SIGNAL(sigRecvChAdded(void*, int, const QString&)), this,
                SLOT(slotRecvChAdded(void*, int, const QString&)));
}

void NxAddChannelController::saveLocalChannels(const QJsonObject& request)
{
    NxLocalChannelFile::write(m_channelDir, request.value(QStringLiteral("funcType")).toString(),
                              request.value(QStringLiteral("data")).toArray());
}

QJsonObject NxAddChannelController::cloudAddRequest(const QJsonObject& request)
{
    QJsonArray images;
    for (const char* type : {"small", "middle", "large"}) {
        const QString key = QStringLiteral("pic_") + QLatin1String(type);
        images.append(QJsonObject{{QStringLiteral("type"), QLatin1String(type)},
                                  {QStringLiteral("url"), QStringLiteral("file://") + request.value(key).toString()}});
    }
    return QJsonObject{{QStringLiteral("channelName"), request.value(QStringLiteral("name")).toString()},
                       {QStringLiteral("channelType"), QStringLiteral("web")},
                       {QStringLiteral("address"), request.value(QStringLiteral("url")).toString()},
                       {QStringLiteral("images"), images}};
}

void NxAddChannelController::addChannel(const QJsonObject& request)
{
    if (!m_webCommand)
        return;
    m_webCommand->addUserChannel(request.value(QStringLiteral("uid")).toString(),
                                 request.value(QStringLiteral("funcType")).toString(), cloudAddRequest(request), nullptr);
}

void NxAddChannelController::deleteChannel(const QJsonObject& request)
{
    if (!m_webCommand)
        return;
    const QJsonObject cloudRequest{{QStringLiteral("id"), request.value(QStringLiteral("channelid"))}};
    m_webCommand->deleteUserChannel(request.value(QStringLiteral("uid")).toString(), cloudRequest, nullptr);
}

void NxAddChannelController::slotRecvChAdded(void*, int, QString)
{
    // The main window handles the answer itself.
}
