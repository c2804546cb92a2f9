#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QVariantList>
#include <QSqlDatabase>
#include <QString>

// The channels of one category (the children of its root row), read and
// changed a few rows at a time, so a category of tens of thousands of
// channels is paged by the database, never read whole. Positions of
// siblings stay 0..n-1.
class NxCloudCategoryChannels
{
public:
    struct Channel
    {
        qint64 row = 0;
        qint64 id = 0;
        qint64 parentRow = 0;
        QString category;
        QString name;
        QString introduction;
        QString address;
        int position = 0;
        QMap<QString, QString> pictures; // type ("small", ...) -> reference
    };
    // A channel as the admin API adds it: the panels' other keys get the
    // values every channel of the demo has.
    struct NewChannel
    {
        QString name;
        QString introduction;
        QString address;
        QList<QPair<QString, QString>> pictures; // type, reference
        qint64 id = 0;                           // the number it got
    };
    struct Page
    {
        int total = 0;
        QList<Channel> channels;
    };

    // The root row of a category; made when the category has none yet.
    static bool root(const QSqlDatabase& db, const QString& categoryId, qint64* row, QString* error);
    static bool count(const QSqlDatabase& db, qint64 parentRow, int* count, QString* error);
    // search: part of a name or address, any case; empty for all.
    static bool page(const QSqlDatabase& db, const QString& categoryId, const QString& search, int offset, int limit,
                     Page* page, QString* error);
    static bool find(const QSqlDatabase& db, qint64 id, Channel* channel, bool* found, QString* error);
    // Channels from position on (default: last), each with a new number.
    static bool insert(const QSqlDatabase& db, qint64 parentRow, int position, QList<NewChannel>* channels,
                       QString* error);
    // Name, introduction and address.
    static bool update(const QSqlDatabase& db, const Channel& channel, QString* error);
    static bool move(const QSqlDatabase& db, const Channel& channel, int position, QString* error);
    static bool remove(const QSqlDatabase& db, const Channel& channel, QString* error);
    static bool replacePictures(const QSqlDatabase& db, qint64 row, const QList<QPair<QString, QString>>& pictures,
                                QString* error);

private:
    static bool shift(const QSqlDatabase& db, qint64 parentRow, int from, int to, int by, QString* error);
    // Image rows: channel row, position, number, order, type, reference.
    static bool insertImages(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error);
    static void addImageRows(qint64 row, const QList<QPair<QString, QString>>& pictures, qint64* number,
                             QList<QVariantList>* rows);
    static bool readPictures(const QSqlDatabase& db, QList<Channel>* channels, QString* error);
};
