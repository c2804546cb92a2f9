#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVariant>

// The rows of one channel list, read in order, put back together into trees.
class NxCloudChannelForest
{
public:
    // parent is NULL for a root, which belongs to owner.
    void addRow(qint64 row, const QVariant& parent, const QString& owner, const QJsonObject& channel);
    void addImage(qint64 row, const QJsonObject& image);
    // The roots by owner, in the order they were added.
    QMap<QString, QJsonArray> trees() const;

private:
    QJsonObject tree(qint64 row) const;

    QHash<qint64, QJsonObject> m_channels;
    QHash<qint64, QList<qint64>> m_children;
    QHash<qint64, QJsonArray> m_images;
    QList<QPair<QString, qint64>> m_roots;
};
