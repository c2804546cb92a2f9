#include "NxPictureUpload.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QRandomGenerator>

namespace {
const int kJpegQuality = 85;

QImage cover(const QImage& image, const QSize& size)
{
    // Fills the panel's frame, cut evenly on the longer side.
    const QImage scaled = image.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2, size.width(),
                       size.height());
}
}

NxPictureUpload::NxPictureUpload(const QByteArray& body)
    : m_size(body.size())
    , m_tag(QString::number(QRandomGenerator::system()->generate64(), 16))
{
    QImage image;
    if (body.size() > kMostBytes)
        m_refusal = NxAdminResult::fail(413, QStringLiteral("a picture may have at most %1 bytes").arg(kMostBytes));
    else if (decode(body, &image))
        encode(image);
}

bool NxPictureUpload::decode(const QByteArray& body, QImage* image)
{
    QBuffer buffer;
    buffer.setData(body);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (format != "png" && format != "jpeg") {
        m_refusal = NxAdminResult::fail(415, QStringLiteral("the picture must be PNG or JPEG"));
        return false;
    }
    if (!size.isValid() || size.width() > kMostSide || size.height() > kMostSide
        || qint64(size.width()) * size.height() > kMostPixels) {
        m_refusal = NxAdminResult::fail(415, QStringLiteral("the picture must be at most %1 pixels on a side and %2 "
                                                            "pixels in all").arg(kMostSide).arg(kMostPixels));
        return false;
    }
    m_png = format == "png";
    reader.setAutoTransform(true);
    if (!reader.read(image) || image->isNull()) {
        m_refusal = NxAdminResult::fail(415, QStringLiteral("the picture cannot be read: ") + reader.errorString());
        return false;
    }
    return true;
}

void NxPictureUpload::encode(const QImage& image)
{
    for (const auto& type : sizes()) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, m_png ? "png" : "jpeg");
        if (!m_png)
            writer.setQuality(kJpegQuality);
        const QImage picture = cover(image, type.second);
        if (!writer.write(m_png ? picture : picture.convertToFormat(QImage::Format_RGB32))) {
            m_refusal = NxAdminResult::fail(415, QStringLiteral("the picture cannot be encoded: ") + writer.errorString());
            m_pictures.clear();
            return;
        }
        m_pictures.append(Encoded{type.first, m_png ? QByteArray("image/png") : QByteArray("image/jpeg"), out.data()});
    }
}

bool NxPictureUpload::isOk() const
{
    return !m_pictures.isEmpty();
}

NxAdminResult NxPictureUpload::refusal() const
{
    return m_refusal;
}

QList<NxPictureUpload::Encoded> NxPictureUpload::pictures() const
{
    return m_pictures;
}

int NxPictureUpload::size() const
{
    return m_size;
}

QString NxPictureUpload::fileName(qint64 channel, const Encoded& picture) const
{
    return QStringLiteral("ch%1-%2_%3.%4").arg(channel).arg(m_tag, picture.type,
                                                          picture.contentType == "image/png" ? QStringLiteral("png")
                                                                                              : QStringLiteral("jpg"));
}

QList<QPair<QString, QSize>> NxPictureUpload::sizes()
{
    // As the demo's artwork is drawn: tiles, channel pages, banner.
    return {{QStringLiteral("small"), QSize(240, 160)},
            {QStringLiteral("middle"), QSize(480, 320)},
            {QStringLiteral("large"), QSize(824, 824)}};
}
