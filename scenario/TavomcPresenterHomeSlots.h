#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QString>

class TavomcPresenterHomePage;

// Which channels the teacher pinned to which slot of the home page: the
// saved pins restored at start, pins added and removed, and the pages of
// slots that grow as they fill.
class TavomcPresenterHomeSlots : public QObject
{
    Q_OBJECT

public:
    explicit TavomcPresenterHomeSlots(TavomcPresenterHomePage* home);

    // Every page up to the last one a placeable entry names, then the pins.
    void restore(const QJsonArray& saved);
    // False when the entry names no slot that can exist.
    bool pin(const QJsonObject& json);
    void unpin(const QJsonObject& json);
    // By channel id.
    const QMap<QString, QJsonObject>& pinned() const;

private:
    bool allHomeSlotsFilled() const;
    bool isFullGridPage(int page) const;
    void place(const QJsonObject& entry);
    void remember(const QJsonObject& entry);

    TavomcPresenterHomePage* m_home;
    QMap<QString, QJsonObject> m_pinned;
};
