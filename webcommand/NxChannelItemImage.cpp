#include "NxChannelItemImage.h"

NxChannelItemImage::~NxChannelItemImage() = default;

int NxChannelItemImage::id() const
{
    return m_id;
}

int NxChannelItemImage::order() const
{
    return m_order;
}

QString NxChannelItemImage::type() const
{
    return m_type;
}

QString NxChannelItemImage::url() const
{
    return m_url;
}

int NxChannelItemImage::dataSize() const
{
    return m_dataSize;
}

QImage NxChannelItemImage::image() const
{
    return m_image;
}

bool NxChannelItemImage::isLoaded() const
{
    return m_loaded != 0;
}
