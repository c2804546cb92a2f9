#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class NxCloudQuery;

// Channel trees in the tables "channels" and "channel_images": the tree of a
// category, the groups offered for adding, and the teachers' own channels.
class NxCloudChannelTable
{
public:
    enum class List
    {
        Category,
        Offered,
        Own
    };
    // The list a tree belongs to, and its owner within the list.
    struct Owner
    {
        List list;
        QString categoryId;
        QString teacherId;
    };
    static Owner category(const QString& categoryId);
    static Owner offered();
    static Owner own(const QString& teacherId);

    // Statements are prepared once for the many rows of an import.
    explicit NxCloudChannelTable(const QSqlDatabase& db);
    ~NxCloudChannelTable();

    // Stores channel, its pictures and its children, as root number position
    // of the owner's list.
    bool insert(const Owner& owner, const QJsonObject& channel, int position, QString* error);
    // The groups offered: a group that is a category's tree as it is is
    // stored as a mirror of the category, and one that holds a category's
    // channels as they are as a root that takes its children from the
    // category, so either follows every change of it.
    bool insertOffered(const QJsonArray& groups, const QJsonObject& categories, QString* error);

    // The trees of a list, in order, by owner (category id, teacher id, or ""
    // for the groups offered); only the given teacher's when teacherId is set.
    static bool read(const QSqlDatabase& db, List list, const QString& teacherId,
                     QMap<QString, QJsonArray>* trees, QString* error);
    // categories: as NxCloudCategoryTable reads them.
    static bool readOffered(const QSqlDatabase& db, const QMap<QString, QJsonObject>& categories,
                            QJsonArray* groups, QString* error);

private:
    static QString name(List list);
    static bool readTrees(const QSqlDatabase& db, List list, const QString& teacherId,
                          const QMap<QString, QJsonObject>& categories, QMap<QString, QJsonArray>* trees,
                          QString* error);
    // A group offered with a category's channels as they are, under a root
    // of its own, follows the category's channels.
    static bool follows(const QJsonObject& group, const QJsonObject& root);
    static QJsonObject withoutChildren(QJsonObject channel);
    bool insertRow(const Owner& owner, const QVariant& parent, const QJsonObject& channel, int position,
                   QString* error, const QString& mirrorOf = QString());
    bool insertImages(qint64 row, const QJsonArray& images, QString* error);

    std::unique_ptr<NxCloudQuery> m_channel;
    std::unique_ptr<NxCloudQuery> m_image;
    std::unique_ptr<NxCloudQuery> m_mirror;
};
