#include "NxCloudChannelForest.h"

void NxCloudChannelForest::addRow(qint64 row, const QVariant& parent, const QString& owner,
                                  const QJsonObject& channel, const QString& follows)
{
    m_channels.insert(row, channel);
    if (parent.isNull())
        m_roots.append(Root{owner, row, QString(), follows});
    else
        m_children[parent.toLongLong()].append(row);
}

void NxCloudChannelForest::addImage(qint64 row, const QJsonObject& image)
{
    m_images[row].append(image);
}

void NxCloudChannelForest::addMirror(const QString& owner, const QString& categoryId)
{
    m_roots.append(Root{owner, -1, categoryId, QString()});
}

QMap<QString, QJsonArray> NxCloudChannelForest::trees(const QMap<QString, QJsonObject>& categories) const
{
    QMap<QString, QJsonArray> trees;
    const QString data = QStringLiteral("data");
    const QString children = QStringLiteral("children");
    for (const Root& root : m_roots) {
        if (!root.mirrorOf.isNull()) {
            trees[root.owner].append(categories.value(root.mirrorOf).value(data));
            continue;
        }
        QJsonObject channel = tree(root.row);
        const QJsonObject followed = categories.value(root.follows).value(data).toObject();
        if (!root.follows.isEmpty() && followed.contains(children))
            channel.insert(children, followed.value(children));
        trees[root.owner].append(channel);
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
