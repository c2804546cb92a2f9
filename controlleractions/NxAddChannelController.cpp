#include "NxAddChannelController.h"

#include "INxWebCommandController.h"
#include "NxChannelSet.h"
#include "NxFileNames.h"

#include <QCoreApplication>
#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

NxAddChannelController::NxAddChannelController(QObject* parent)
    : QObject(parent)
    , m_channelDir(QCoreApplication::instance()->property("channelDir").toString() + QLatin1Char('/'))
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

QString NxAddChannelController::localFilePath(const QString& channelDir, const QString& funcType)
{
    // Writers say "firstpage", readers "FirstPage": one file on every file system.
    return NxFileNames::resolve(channelDir, funcType + QStringLiteral("_Local.jdx"));
}

void NxAddChannelController::saveLocalChannels(const QJsonObject& request)
{
    const QString path = localFilePath(m_channelDir, request.value(QStringLiteral("funcType")).toString());
    // A power cut during the write must leave the previous list, never half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray text = QJsonDocument(request.value(QStringLiteral("data")).toArray()).toJson(QJsonDocument::Indented);
    // A short write (full disk) reports no error by itself: check the count.
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        qWarning() << "NxAddChannelController::saveLocalChannels" << "cannot write" << path << file.errorString();
    }
    if (!file.commit())
        qWarning() << "NxAddChannelController::saveLocalChannels" << "not saved, previous list kept:" << path;
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
