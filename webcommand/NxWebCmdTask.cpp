#include "NxWebCmdTask.h"

#include "NxChannelItemImage.h"
#include "NxWebCmdCtrl.h"

#include <QDebug>

NxWebCmdTask::NxWebCmdTask(NxWebCmdCtrl* controller)
    : m_controller(controller)
    , m_commands(controller)
{
    setObjectName(QStringLiteral("pTaskStdChannel"));
    connect(controller, SIGNAL(sigRecvChannelList(void*, const QSharedPointer<NxChannelSet>&)), this,
            SLOT(slotRecvChannelList(void*, QSharedPointer<NxChannelSet>)));
    connect(controller, SIGNAL(sigRecvChannelImage(void*, QImage)), this, SLOT(slotRecvChannelImage(void*, QImage)));
}

NxWebCmdTask::~NxWebCmdTask()
{
    qDebug() << "NxWebCmdTask::~NxWebCmdTask" << objectName();
}

bool NxWebCmdTask::isRunning() const
{
    return m_running;
}

void NxWebCmdTask::slotStartDownloadTask()
{
    if (m_running)
        return;
    m_elapsed.start();
    m_running = true;
    m_categoryRequests[NxChannelSet::NxtChannel] = false;
    m_categoryRequests[NxChannelSet::TvStation] = false;
    step();
}

void NxWebCmdTask::step()
{
    // Pictures served from the cache answer synchronously and would step
    // again from inside this call: loop instead of recursing per picture.
    if (m_stepping) {
        m_stepAgain = true;
        return;
    }
    m_stepping = true;
    do {
        m_stepAgain = false;
        stepOnce();
    } while (m_stepAgain);
    m_stepping = false;
}

void NxWebCmdTask::stepOnce()
{
    if (!m_running)
        return;
    if (!m_categoryRequests.isEmpty()) {
        requestNextCategory();
        return;
    }
    if (!m_pendingImages.isEmpty()) {
        requestNextImage();
        return;
    }
    finish();
}

bool NxWebCmdTask::requestNextCategory()
{
    for (auto it = m_categoryRequests.begin(); it != m_categoryRequests.end(); ++it) {
        if (it.value())
            continue;
        it.value() = true;
        const auto category = NxChannelSet::ChannelCategory(it.key());
        m_commands->startDownloadChList(NxChannelSet::chCategory2String(category), this);
        return true;
    }
    return false;
}

bool NxWebCmdTask::requestNextImage()
{
    for (auto it = m_pendingImages.begin(); it != m_pendingImages.end(); ++it) {
        if (it.value().requested)
            continue;
        it.value().requested = true;
        NxChannelItemImage* picture = it.key();
        m_commands->downloadImage(picture->url(), picture);
        return true;
    }
    return false;
}

void NxWebCmdTask::finish()
{
    qDebug() << "retrive list: " << m_results.size();
    for (const QSharedPointer<NxChannelSet>& result : qAsConst(m_results))
        qDebug() << (result ? result->channelName() : QString());
    qDebug() << "running time:  " << m_elapsed.elapsed();
    m_running = false;
    emit m_controller->sigRecvAllChannelList(m_results);
}

void NxWebCmdTask::slotRecvChannelList(void*, QSharedPointer<NxChannelSet> chSet)
{
    if (!m_running || !chSet)
        return;
    const NxChannelSet::ChannelCategory category = NxChannelSet::chCategoryFromString(chSet->channelId());
    m_results[category] = chSet;
    addPendingImages(chSet);
    m_categoryRequests.remove(category);
    step();
}

void NxWebCmdTask::categoryAnswered(const QString& sType)
{
    const NxChannelSet::ChannelCategory category = NxChannelSet::chCategoryFromString(sType);
    if (!m_running || !m_categoryRequests.value(category, false))
        return;
    qDebug() << "NxWebCmdTask::categoryAnswered" << sType << "brought no channel, left out of this run";
    m_categoryRequests.remove(category);
    step();
}

void NxWebCmdTask::addPendingImages(const QSharedPointer<NxChannelSet>& channel)
{
    for (NxChannelSet::ImageType type : {NxChannelSet::Small, NxChannelSet::Middle, NxChannelSet::Large}) {
        if (QSharedPointer<NxChannelItemImage> picture = channel->getImage(type)) {
            m_pendingImages[picture.data()] = PendingImage{false, picture};
            qDebug() << " add image to pending: " << int(type);
        }
    }
    for (const QSharedPointer<NxChannelSet>& child : channel->children()) {
        qDebug() << " add children image to pending: ";
        if (child)
            addPendingImages(child);
    }
}

void NxWebCmdTask::slotRecvChannelImage(void* pCxt, QImage img)
{
    // Other callers' pictures pass by here too: only records this task
    // asked for may be written to.
    auto* picture = static_cast<NxChannelItemImage*>(pCxt);
    if (!m_running || !m_pendingImages.contains(picture))
        return;
    qDebug() << picture->type() << picture->url() << img.width() << img.height() << picture->dataSize();
    picture->m_image = img;
    picture->m_loaded = 1;
    m_pendingImages.remove(picture);
    step();
}
