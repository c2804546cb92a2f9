#pragma once

#include "TavoWebCommandGlobal.h"

#include <QJsonObject>
#include <QList>
#include <QMetaType>
#include <QSharedPointer>
#include <QString>

class NxChannelItemImage;

// A channel of the cloud catalogue: a tile, a group of tiles, a user's list
// or the banner. Pictures and children are shared between copies.
class TAVOWEBCOMMAND_EXPORT NxChannelSet
{
public:
    enum ChannelCategory { NxtChannel = 0, TvStation = 1, MyResources = 2, CloudLive = 3 };
    enum ChannelType { Video = 0, Web = 1, Live = 2, Unknown = 3 };
    enum ImageType { Small = 0, Middle = 1, Large = 2 };

    NxChannelSet() = default;
    NxChannelSet(const NxChannelSet&) = default;
    NxChannelSet& operator=(const NxChannelSet&) = default;
    virtual ~NxChannelSet();

    static NxChannelSet* create();

    QString channelId() const;
    QString channelName() const;
    QString channelType() const;
    ChannelType chType() const;
    int id() const;
    QString intro() const;
    QString url() const;
    bool hasChild() const;
    bool isSingleSignOn() const;
    int playMode() const;
    int bannerCount() const;
    QList<QSharedPointer<NxChannelSet>> children() const;
    QList<QSharedPointer<NxChannelItemImage>> images() const;

    QSharedPointer<NxChannelItemImage> createImage();
    QSharedPointer<NxChannelItemImage> getImage(ImageType type) const;
    QSharedPointer<NxChannelItemImage> addImage(ImageType type);

    static QString chCategory2String(ChannelCategory category);
    static QString channelType2String(ChannelType type);
    static QString imageType2String(ImageType type);
    static ChannelCategory chCategoryFromString(const QString& text);
    static ChannelType channelTypeFromString(const QString& text);
    static ImageType imageTypeFromString(const QString& text);

    // The form sent to the service when a user adds a channel.
    static QJsonObject channel2Json(QSharedPointer<NxChannelSet> channel);

private:
    friend class NxChannelJson;
    friend class NxWebCmdCtrl;

    QString m_channelId;
    QString m_channelName;
    QString m_channelType;
    int m_id = -1;
    QString m_intro;
    bool m_hasChild = false;
    QString m_url;
    bool m_singleSignOn = false;
    int m_playMode = 0;
    int m_bannerCount = 0;
    QList<QSharedPointer<NxChannelItemImage>> m_images;
    QList<QSharedPointer<NxChannelSet>> m_children;
};

Q_DECLARE_METATYPE(NxChannelSet)
Q_DECLARE_METATYPE(NxChannelSet::ChannelCategory)
Q_DECLARE_METATYPE(QSharedPointer<NxChannelSet>)
