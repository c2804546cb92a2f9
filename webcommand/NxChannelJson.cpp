#include "NxChannelJson.h"

#include <QJsonArray>

namespace {

// QJsonObject as the tree reader sees an object. Strings are strings on
// this wire: a number where text is expected reads as empty.
class QtObject
{
public:
    explicit QtObject(const QJsonObject& object)
        : m_object(object)
    {
    }

    bool has(QLatin1String key) const { return m_object.contains(key); }
    QString text(QLatin1String key) const { return m_object.value(key).toString(); }
    int number(QLatin1String key) const { return m_object.value(key).toInt(0); }
    QtObject object(QLatin1String key) const { return QtObject(m_object.value(key).toObject()); }

    template <class F>
    void forEach(QLatin1String key, F&& f) const
    {
        for (const QJsonValue& element : m_object.value(key).toArray())
            f(QtObject(element.toObject()));
    }

private:
    QJsonObject m_object;
};

} // namespace

QSharedPointer<NxChannelSet> NxChannelJson::read(const QJsonObject& object)
{
    return read(QtObject(object));
}

NxCloudAnswers::Channels NxChannelJson::answer(const QJsonObject& reply)
{
    return answer(QtObject(reply));
}
