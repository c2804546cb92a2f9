#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

// All pictures on one sheet, each on the surface it is shown on, with its
// name and size under it, so a person can judge the set at one glance.
class NxContactSheet
{
public:
    explicit NxContactSheet(int columns);

    // An animation passes several frames; they are shown side by side.
    void add(const QString& name, const QList<QImage>& frames, const QColor& surface);
    int count() const { return m_items.size(); }
    QImage render(const QString& title) const;

    static const int kCellWidth = 288;
    static const int kCellHeight = 214;
    static const int kTitleHeight = 64;

private:
    struct Item {
        QString name;
        QList<QImage> frames;
        QColor surface;
    };

    void paintItem(class QPainter& painter, const Item& item, const QRect& cell) const;
    static QImage fitted(const QImage& image, const QSize& box);

    int m_columns;
    QList<Item> m_items;
};
