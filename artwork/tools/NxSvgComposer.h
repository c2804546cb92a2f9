#pragma once

#include <QImage>
#include <QSize>
#include <QStringList>

// Lays one or more SVG sources over each other into one picture. A source may
// carry the token @DEG@, replaced by the angle of the current animation frame,
// and data-clip-radius on its root element (in its own units): the whole
// picture is then cut to a rounded rectangle, which SVG Tiny cannot express.
class NxSvgComposer
{
public:
    explicit NxSvgComposer(const QStringList& sources);

    bool load();
    QString error() const { return m_error; }
    QSize defaultSize() const;
    // Attributes of the first source's root element, e.g. data-frames.
    QString rootAttribute(const QString& name) const;
    QImage render(const QSize& size, double degrees) const;

private:
    static QString attributeOf(const QByteArray& text, const QString& name);
    qreal clipRadius(const QSize& size) const;
    QImage renderLayers(const QSize& size, double degrees) const;

    QStringList m_sources;
    QList<QByteArray> m_texts;
    QString m_error;
};
