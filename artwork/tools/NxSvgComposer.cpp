#include "NxSvgComposer.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {
const QByteArray kAngleToken = QByteArrayLiteral("@DEG@");
}

NxSvgComposer::NxSvgComposer(const QStringList& sources)
    : m_sources(sources)
{
}

bool NxSvgComposer::load()
{
    m_texts.clear();
    for (const QString& path : m_sources) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("cannot read %1").arg(path);
            return false;
        }
        const QByteArray text = file.readAll();
        QSvgRenderer probe(QByteArray(text).replace(kAngleToken, "0"));
        if (!probe.isValid()) {
            m_error = QStringLiteral("%1 is not a valid SVG").arg(path);
            return false;
        }
        m_texts.append(text);
    }
    if (m_texts.isEmpty()) {
        m_error = QStringLiteral("no SVG source given");
        return false;
    }
    return true;
}

QSize NxSvgComposer::defaultSize() const
{
    if (m_texts.isEmpty())
        return QSize();
    QSvgRenderer renderer(QByteArray(m_texts.first()).replace(kAngleToken, "0"));
    return renderer.defaultSize();
}

QString NxSvgComposer::rootAttribute(const QString& name) const
{
    return m_texts.isEmpty() ? QString() : attributeOf(m_texts.first(), name);
}

QString NxSvgComposer::attributeOf(const QByteArray& text, const QString& name)
{
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.attributes().value(name).toString();
    }
    return QString();
}

qreal NxSvgComposer::clipRadius(const QSize& size) const
{
    for (const QByteArray& text : m_texts) {
        const QString radius = attributeOf(text, QStringLiteral("data-clip-radius"));
        if (radius.isEmpty())
            continue;
        QSvgRenderer renderer(QByteArray(text).replace(kAngleToken, "0"));
        const qreal units = renderer.viewBoxF().width();
        return units > 0 ? radius.toDouble() * size.width() / units : 0.0;
    }
    return 0.0;
}

QImage NxSvgComposer::render(const QSize& size, double degrees) const
{
    const QImage layers = renderLayers(size, degrees);
    const qreal radius = clipRadius(size);
    if (radius <= 0)
        return layers;
    // Filling a rounded rectangle with the picture gives smooth corners,
    // which a clip path would not.
    QImage cut(size, QImage::Format_ARGB32_Premultiplied);
    cut.fill(Qt::transparent);
    QPainter painter(&cut);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(layers));
    painter.drawRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), radius, radius);
    painter.end();
    return cut;
}

QImage NxSvgComposer::renderLayers(const QSize& size, double degrees) const
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const QByteArray angle = QByteArray::number(degrees, 'f', 3);
    for (const QByteArray& text : m_texts) {
        QSvgRenderer renderer(QByteArray(text).replace(kAngleToken, angle));
        // Every layer fills the whole picture; the aspect ratio is the caller's choice.
        renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    painter.end();
    return image;
}
