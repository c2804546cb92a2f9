#include "NxCloudColumnMap.h"

#include "NxCloudQuery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <cmath>

namespace {
// Larger integers do not survive a JSON number (a double) exactly.
const double kLargestExact = 9007199254740992.0;
const QString kNoExtra = QStringLiteral("{}");
}

NxCloudColumnMap::NxCloudColumnMap(const QList<Column>& columns, const QStringList& nested)
    : m_columns(columns)
    , m_nested(nested)
{
}

const NxCloudColumnMap& NxCloudColumnMap::channel()
{
    // "images" and "children" go to rows of their own when they hold any.
    static const NxCloudColumnMap map({{QStringLiteral("id"), QStringLiteral("number"), Kind::Integer},
                                       {QStringLiteral("channelId"), QStringLiteral("channel_id"), Kind::Text},
                                       {QStringLiteral("channelName"), QStringLiteral("name"), Kind::Text},
                                       {QStringLiteral("introduction"), QStringLiteral("introduction"), Kind::Text},
                                       {QStringLiteral("address"), QStringLiteral("address"), Kind::Text},
                                       {QStringLiteral("isHasChild"), QStringLiteral("has_child"), Kind::Text},
                                       {QStringLiteral("playMode"), QStringLiteral("play_mode"), Kind::Text},
                                       {QStringLiteral("channelType"), QStringLiteral("channel_type"), Kind::Text}},
                                      {QStringLiteral("images"), QStringLiteral("children")});
    return map;
}

const NxCloudColumnMap& NxCloudColumnMap::image()
{
    static const NxCloudColumnMap map({{QStringLiteral("id"), QStringLiteral("number"), Kind::Integer},
                                       {QStringLiteral("order"), QStringLiteral("sort_order"), Kind::Integer},
                                       {QStringLiteral("type"), QStringLiteral("kind"), Kind::Text},
                                       {QStringLiteral("url"), QStringLiteral("url"), Kind::Text}});
    return map;
}

const NxCloudColumnMap& NxCloudColumnMap::category()
{
    static const NxCloudColumnMap map({{QStringLiteral("bannerCount"), QStringLiteral("banner_count"), Kind::Integer}});
    return map;
}

QStringList NxCloudColumnMap::columnNames() const
{
    QStringList names;
    for (const Column& column : m_columns)
        names.append(column.column);
    names.append(QStringLiteral("extra"));
    return names;
}

QVariantList NxCloudColumnMap::values(const QJsonObject& object) const
{
    QJsonObject extra = object;
    QVariantList values;
    for (const Column& column : m_columns) {
        const QJsonValue value = object.value(column.key);
        if (!fits(value, column.kind)) {
            values.append(QVariant(column.kind == Kind::Text ? QVariant::String : QVariant::LongLong));
            continue;
        }
        extra.remove(column.key);
        values.append(column.kind == Kind::Text ? NxCloudQuery::text(value.toString()) : QVariant(qint64(value.toDouble())));
    }
    for (const QString& key : m_nested) {
        if (holdsRows(extra.value(key)))
            extra.remove(key);
    }
    values.append(extra.isEmpty() ? kNoExtra : QString::fromUtf8(QJsonDocument(extra).toJson(QJsonDocument::Compact)));
    return values;
}

QJsonObject NxCloudColumnMap::object(const NxCloudQuery& row, int first) const
{
    const QString extra = row.value(first + m_columns.size()).toString();
    QJsonObject object = extra == kNoExtra ? QJsonObject() : QJsonDocument::fromJson(extra.toUtf8()).object();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (row.isNull(first + i))
            continue;
        const QVariant value = row.value(first + i);
        const Column& column = m_columns.at(i);
        object.insert(column.key, column.kind == Kind::Text ? QJsonValue(value.toString()) : QJsonValue(value.toLongLong()));
    }
    return object;
}

bool NxCloudColumnMap::holdsRows(const QJsonValue& value)
{
    // Only a non-empty list of objects becomes rows; anything else stays as it came.
    const QJsonArray list = value.toArray();
    return !list.isEmpty() && std::all_of(list.begin(), list.end(), [](const QJsonValue& v) { return v.isObject(); });
}

bool NxCloudColumnMap::fits(const QJsonValue& value, Kind kind)
{
    if (kind == Kind::Text)
        return value.isString();
    if (!value.isDouble())
        return false;
    const double number = value.toDouble();
    return std::floor(number) == number && std::fabs(number) <= kLargestExact;
}
