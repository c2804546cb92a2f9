#include "NxBaseChannelWidget.h"

#include "INxControllerManager.h"
#include "INxWebCommandController.h"
#include "NxChannelImageRouter.h"

NxBaseChannelWidget::NxBaseChannelWidget(QWidget* parent)
    : QWidget(parent)
{
}

NxBaseChannelWidget::~NxBaseChannelWidget()
{
    forgetImageRequest();
}

void NxBaseChannelWidget::setControlManager(INxControllerManager* mgr)
{
    if (!mgr)
        return;
    m_controlManager = mgr;
    m_webCommand = mgr->getWebCommandCtrl();
    m_router = NxChannelImageRouter::forController(m_webCommand);
}

void NxBaseChannelWidget::setItem(QJsonObject json, QWidget* ctx)
{
    requestImage(json, ctx);
}

void NxBaseChannelWidget::renewItem(QJsonObject json, QWidget* ctx)
{
    requestImage(json, ctx);
}

void NxBaseChannelWidget::slotRecvChannelImage(void* pCxt, const QImage& image)
{
    Q_UNUSED(pCxt)
    Q_UNUSED(image)
}

INxControllerManager* NxBaseChannelWidget::controlManager() const
{
    return m_controlManager;
}

QString NxBaseChannelWidget::requestedImage(void* pCxt) const
{
    return pCxt && pCxt == m_imageContext ? m_imageAddress : QString();
}

void NxBaseChannelWidget::requestImage(const QJsonObject& json, QWidget* ctx)
{
    const QString url = json.value(QStringLiteral("web_image")).toString();
    // A tile that changes or empties its channel no longer takes the old picture.
    if (url != m_imageAddress)
        forgetImageRequest();
    if (url.isEmpty() || !m_webCommand)
        return;
    m_imageContext = ctx;
    m_imageAddress = url;
    if (m_router)
        m_router->request(url, ctx, this);
    else
        m_webCommand->downloadImage(url, ctx);
}

void NxBaseChannelWidget::forgetImageRequest()
{
    if (m_router)
        m_router->remove(this);
    m_imageContext = nullptr;
    m_imageAddress.clear();
}
