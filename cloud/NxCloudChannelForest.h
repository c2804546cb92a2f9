#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariant>

// The rows of one channel list, read in order, put back together into trees.
class NxCloudChannelForest
{
public:
    // parent is NULL for a root, which belongs to owner; a root that follows
    // a category takes that category's children.
    void addRow(qint64 row, const QVariant& parent, const QString& owner, const QJsonObject& channel,
                const QString& follows = QString());
    void addImage(qint64 row, const QJsonObject& image);
    // A root that is the tree of a category.
    void addMirror(const QString& owner, const QString& categoryId);
    // The roots by owner, in the order they were added; mirrors as the
    // categories' roots ("data") are, followers with their children.
    QMap<QString, QJsonArray> trees(const QMap<QString, QJsonObject>& categories) const;

private:
    struct Root
    {
        QString owner;
        qint64 row;
        QString mirrorOf;
        QString follows;
    };

    QJsonObject tree(qint64 row) const;

    QHash<qint64, QJsonObject> m_channels;
    QHash<qint64, QList<qint64>> m_children;
    QHash<qint64, QJsonArray> m_images;
    QList<Root> m_roots;
};
