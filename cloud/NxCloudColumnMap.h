#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class NxCloudQuery;

// Which keys of a JSON object have columns of their own. The other keys, and
// a key whose value has another type than its column, stay verbatim in the
// row's "extra" column as JSON text, so whatever a seed or a client sent
// comes back exactly as it was.
class NxCloudColumnMap
{
public:
    enum class Kind
    {
        Text,
        Integer
    };

    struct Column
    {
        QString key;
        QString column;
        Kind kind;
    };

    // A channel of any list, one of its pictures, and a category's entry
    // (its root channel, "data", is a row of its own).
    static const NxCloudColumnMap& channel();
    static const NxCloudColumnMap& image();
    static const NxCloudColumnMap& category();

    // The columns in order, "extra" last.
    QStringList columnNames() const;
    // Values for columnNames(); NULL where the object lacks the key.
    QVariantList values(const QJsonObject& object) const;
    // Whether a nested key ("images", "children") is stored as rows.
    static bool holdsRows(const QJsonValue& value);
    // The object from a row whose columnNames() start at column first.
    QJsonObject object(const NxCloudQuery& row, int first) const;

private:
    explicit NxCloudColumnMap(const QList<Column>& columns, const QStringList& nested = {});
    static bool fits(const QJsonValue& value, Kind kind);

    QList<Column> m_columns;
    QStringList m_nested;
};
