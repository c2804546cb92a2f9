#include "NxCloudChannelForest.h"

void NxCloudChannelForest::addRow(qint64 row, const QVariant& parent, const QString& owner,
                                  const QJsonObject& channel)
{
    m_channels.insert(row, channel);
    if (parent.isNull())
        m_roots.append(Root{owner, row, QString()});
    else
        m_children[parent.toLongLong()].append(row);
}

void NxCloudChannelForest::addImage(qint64 row, const QJsonObject& image)
{
    m_images[row].append(image);
}

void NxCloudChannelForest::addMirror(const QString& owner, const QString& categoryId)
{
    m_roots.append(Root{owner, -1, categoryId});
}

QMap<QString, QJsonArray> NxCloudChannelForest::trees(const QMap<QString, QJsonObject>& categories) const
{
    QMap<QString, QJsonArray> trees;
    for (const Root& root : m_roots) {
        trees[root.owner].append(root.mirrorOf.isNull() ? tree(root.row)
                                                        : categories.value(root.mirrorOf).value(QStringLiteral("data")));
    }
    return trees;
}

QJsonObject NxCloudChannelForest::tree(qint64 row) const
{
    QJsonObject channel = m_channels.value(row);
    if (m_images.contains(row))
        channel.insert(QStringLiteral("images"), m_images.value(row));
    const QList<qint64> children = m_children.value(row);
    if (children.isEmpty())
        return channel;
    QJsonArray out;
    for (qint64 child : children)
        out.append(tree(child));
    channel.insert(QStringLiteral("children"), out);
    return channel;
}
