#pragma once

#include "NxAdminResult.h"

#include <QByteArray>
class QImage;
#include <QList>
#include <QSize>
#include <QString>

// A channel picture as a browser uploads it: checked for size and pixels
// before anything is decoded, its format taken from its content (PNG or
// JPEG only), then re-encoded at the sizes the panels ask for. The stored
// names are made here, never taken from the upload.
class NxPictureUpload
{
public:
    struct Encoded
    {
        QString type;  // "small", "middle", "large"
        QByteArray contentType;
        QByteArray data;
    };

    static constexpr int kMostBytes = 8 * 1024 * 1024;
    static constexpr int kMostSide = 8192;
    static constexpr qint64 kMostPixels = 24 * 1000 * 1000;

    explicit NxPictureUpload(const QByteArray& body);

    bool isOk() const;
    // 413 or 415 with the reason when not ok.
    NxAdminResult refusal() const;
    QList<Encoded> pictures() const;
    int size() const;
    // "ch<channel>-<random>_<type>.<png|jpg>".
    QString fileName(qint64 channel, const Encoded& picture) const;
    // The sizes the panels show, by type.
    static QList<QPair<QString, QSize>> sizes();

private:
    bool decode(const QByteArray& body, QImage* image);
    void encode(const QImage& image);

    int m_size = 0;
    bool m_png = true;
    QString m_tag;
    NxAdminResult m_refusal;
    QList<Encoded> m_pictures;
};
