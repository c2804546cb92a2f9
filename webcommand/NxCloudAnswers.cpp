#include "NxCloudAnswers.h"

#include "NxChannelAnswerReader.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject parseObject(const QByteArray& data)
{
    return QJsonDocument::fromJson(data).object();
}

QString text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

} // namespace

int NxCloudAnswers::answerCode(const QJsonObject& reply)
{
    const QJsonValue code = reply.value(QStringLiteral("code"));
    if (code.isDouble())
        return code.toInt(-1);
    if (!code.isString())
        return -1;
    const QString value = code.toString();
    if (value == QLatin1String("0"))
        return 0;
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number != 0 ? number : -1;
}

NxCloudAnswers::Channels NxCloudAnswers::channels(const QByteArray& data)
{
    return NxChannelAnswerReader::read(data);
}

NxCloudAnswers::SignIn NxCloudAnswers::signIn(const QByteArray& data)
{
    SignIn answer;
    if (data.isEmpty()) {
        answer.result = -11;
        return answer;
    }
    const QJsonObject reply = parseObject(data);
    if (!reply.value(QStringLiteral("success")).toBool(false)) {
        answer.result = -21;
        return answer;
    }
    const QJsonObject user = reply.value(QStringLiteral("data")).toObject();
    answer.uid = text(user, "uid");
    for (const char* key : {"token", "usertoken"}) {
        if (user.contains(QLatin1String(key))) {
            answer.hasToken = true;
            answer.token = text(user, key);
            qDebug() << "NxCloudAnswers::signIn" << (answer.token.isEmpty() ? "empty" : "present") << key;
            break;
        }
    }
    if (answer.uid.isEmpty())
        qDebug() << "NxCloudAnswers::signIn" << "not confirmed yet, answer keys:" << reply.keys() << user.keys();
    return answer;
}

NxCloudAnswers::QuickSignIn NxCloudAnswers::quickSignIn(const QByteArray& data)
{
    QuickSignIn answer;
    if (data.isEmpty()) {
        answer.result = -21;
        return answer;
    }
    const QJsonObject reply = parseObject(data);
    if (!reply.value(QStringLiteral("success")).toBool(false)) {
        qDebug() << "NxCloudAnswers::quickSignIn" << " failed: " << reply.value(QStringLiteral("message"));
        answer.result = -1;
        return answer;
    }
    const QJsonObject user = reply.value(QStringLiteral("data")).toObject();
    answer.casid = text(user, "h4token");
    answer.avatar = text(user, "avatar");
    answer.result = answer.casid.isEmpty() ? -100 : 0;
    qDebug() << "NxCloudAnswers::quickSignIn" << " uid: " << user.value(QStringLiteral("uid")).toVariant().toString()
             << " casid: " << (answer.casid.isEmpty() ? "empty" : "present");
    return answer;
}

int NxCloudAnswers::operation(const QByteArray& data, bool add, QString* id)
{
    const QJsonObject reply = parseObject(data);
    int result = answerCode(reply);
    const QString msg = text(reply, "msg");
    const QString type = text(reply, "type");
    if (add) {
        qDebug() << "NxCloudAnswers::operation" << "add_ch response.  " << type;
        if (type == QLatin1String("reportUserCustomChannelList_ACK")) {
            qDebug() << "add_ch NO_channelID version";
        } else if (type == QLatin1String("reportUserCustomChannel_ACK")) {
            const QJsonObject added = reply.value(QStringLiteral("result")).toObject();
            qDebug() << "add_ch with_channelID version" << added;
            const bool ok = added.value(QStringLiteral("result")).toBool(false);
            result = ok ? 0 : -910;
            if (id)
                *id = ok ? added.value(QStringLiteral("channelId")).toVariant().toString() : msg;
        } else {
            result = -901;
        }
    } else if (type != QLatin1String("deleteCustomChannel_ACK")) {
        result = -902;
    } else {
        const bool ok = reply.value(QStringLiteral("result")).toBool(false);
        qDebug() << "NxCloudAnswers::operation" << "delete_ch response.  " << type << ok;
        result = ok ? 0 : -905;
    }
    if (result != 0)
        qDebug() << "NxCloudAnswers::operation" << "operation failed:  " << type << result;
    else
        qDebug() << "NxCloudAnswers::operation" << "operation OK:  " << type << msg;
    return result;
}

int NxCloudAnswers::liveCode(const QByteArray& data, QString* url)
{
    const QJsonObject reply = parseObject(data);
    const int result = answerCode(reply);
    if (result == 0) {
        const QString address = reply.value(QStringLiteral("result")).toObject().value(QStringLiteral("livePlayRtmpUrl")).toString();
        qDebug() << "NxCloudAnswers::liveCode" << " live url : " << address;
        if (url)
            *url = address;
    } else {
        qDebug() << "NxCloudAnswers::liveCode" << " response error! " << reply.value(QStringLiteral("msg"));
    }
    return result;
}
