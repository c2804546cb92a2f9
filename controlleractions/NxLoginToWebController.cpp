#include "NxLoginToWebController.h"

#include "INxWebCommandController.h"

#include <QDebug>
#include <QTimer>

#include <qrencode.h>

namespace {

const int kPollIntervalMs = 3000;
const int kModulePixels = 5;

} // namespace

NxLoginToWebController::NxLoginToWebController(QObject* parent)
    : QObject(parent)
    , m_pollTimer(new QTimer(this))
{
    m_pollTimer->setInterval(kPollIntervalMs);
    // A coarse timer may fire 5 % early; the cadence is a promise to the platform.
    m_pollTimer->setTimerType(Qt::PreciseTimer);
    connect(m_pollTimer, SIGNAL(timeout()), this, SLOT(slotCheckLoginStatus()));
}

QObject* NxLoginToWebController::getObject()
{
    return this;
}

bool NxLoginToWebController::isPolling() const
{
    return m_pollTimer->isActive();
}

void NxLoginToWebController::setWebCommandCtrl(INxWebCommandController* ctrl)
{
    m_webCommand = ctrl;
    if (ctrl)
        connect(ctrl->getObject(), SIGNAL(sigUserLogin(void*, int, QImage)), this, SLOT(slotIsLogin(void*, int, QImage)));
}

void NxLoginToWebController::startLogging()
{
    if (!m_webCommand)
        return;
    if (!m_webCommand->getLoginQr(m_qrText)) {
        qDebug() << __LINE__ << "NxLoginToWebController::startLogging" << "NxWebCmdCtrl::getLoginQr failed!";
        return;
    }
    // The text holds the code that signs a teacher in: never logged.
    qDebug() << __LINE__ << "NxLoginToWebController::startLogging" << "QR code ready, length" << m_qrText.size();
    emit sglQRLocation(makeQrPixmap(m_qrText));
    // The first poll follows three seconds later, never at once.
    m_pollTimer->stop();
    m_pollTimer->start();
}

void NxLoginToWebController::stopLogging()
{
    if (!m_pollTimer->isActive())
        return;
    qDebug() << __LINE__ << "NxLoginToWebController::stopLogging" << "code hidden, polling ends";
    m_pollTimer->stop();
}

QPixmap NxLoginToWebController::makeQrPixmap(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QRcode* code = QRcode_encodeString(utf8.constData(), 2, QR_ECLEVEL_L, QR_MODE_8, 1);
    if (!code) {
        qDebug() << __LINE__ << "NxLoginToWebController::makeQrPixmap" << "text cannot be encoded, length" << utf8.size();
        return QPixmap();
    }
    const int width = code->width;
    QImage image(width * kModulePixels, width * kModulePixels, QImage::Format_RGB32);
    for (int y = 0; y < width; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool dark = code->data[y * width + x] & 1;
            const QRgb colour = dark ? 0xFF000000 : 0xFFFFFFFF;
            for (int dy = 0; dy < kModulePixels; ++dy) {
                QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y * kModulePixels + dy));
                std::fill(line + x * kModulePixels, line + (x + 1) * kModulePixels, colour);
            }
        }
    }
    QRcode_free(code);
    return QPixmap::fromImage(image);
}

void NxLoginToWebController::slotCheckLoginStatus()
{
    if (m_webCommand)
        m_webCommand->queryQRlogin(m_qrText, nullptr);
}

void NxLoginToWebController::slotIsLogin(void*, int iResult, QImage image)
{
    qDebug() << __LINE__ << "NxLoginToWebController::slotIsLogin" << iResult;
    switch (iResult) {
    case 0: {
        m_pollTimer->stop();
        INxWebCommandController::stLoginInfo info;
        m_webCommand->getLoginInfo(info);
        emit sglLoginSuccess(info.uid, info.token, info.casid, image);
        break;
    }
    case 1:
        qDebug() << __LINE__ << "NxLoginToWebController::slotIsLogin" << "user log out!";
        break;
    case -1:
        qDebug() << __LINE__ << "NxLoginToWebController::slotIsLogin" << "login failure!";
        break;
    default:
        break;
    }
}
