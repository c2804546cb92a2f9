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
    if (m_router)
        m_router->remove(this);
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

void NxBaseChannelWidget::requestImage(const QJsonObject& json, QWidget* ctx)
{
    const QString url = json.value(QStringLiteral("web_image")).toString();
    if (url.isEmpty() || !m_webCommand)
        return;
    if (m_router)
        m_router->request(url, ctx, this);
    else
        m_webCommand->downloadImage(url, ctx);
}
