#pragma once

#include "TavoWebCommandGlobal.h"

#include <QImage>
#include <QString>

// One picture of a channel (small, middle or large).
class TAVOWEBCOMMAND_EXPORT NxChannelItemImage
{
public:
    virtual ~NxChannelItemImage();

    int id() const;
    int order() const;
    QString type() const;
    QString url() const;
    int dataSize() const;
    QImage image() const;
    bool isLoaded() const;

private:
    friend class NxChannelSet;
    friend class NxChannelJson;
    friend class NxWebCmdTask;

    NxChannelItemImage() = default;

    int m_id = 0;
    int m_order = 0;
    QString m_type;
    QString m_url;
    int m_dataSize = 0;
    int m_loaded = 0;
    QImage m_image;
};
