#include "NxQRCodeLogin.h"

#include "NxAccessToolBarWidget.h"
#include "NxScale.h"

#include <QEvent>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

NxQRCodeLogin::NxQRCodeLogin(NxAccessToolBarWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(208), px(234));

    m_content = new QWidget(this);
    m_content->setFixedSize(size());
    m_content->setStyleSheet(QStringLiteral("QWidget{border-radius:4px;background:#FFFFFF;}"));
    m_qrLabel = new QLabel(m_content);
    m_qrLabel->setFixedSize(px(160), px(160));
    m_caption = new QLabel(tr("ID_WECHAT_LOGIN"), m_content);
    m_caption->setFixedSize(px(108), px(24));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(QStringLiteral("color:#404040;font-family:Microsoft YaHei;font-size:%1px;")
                                 .arg(NxScale::fractional(18, m_scale)));
    // The caption must not be cut in any language.
    m_caption->ensurePolished();
    const QFontMetrics metrics = m_caption->fontMetrics();
    m_caption->setFixedSize(qMin(qMax(px(108), metrics.horizontalAdvance(m_caption->text()) + px(6)), width()),
                            qMax(px(24), metrics.height()));

    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(px(10));
    layout->addStretch();
    layout->addWidget(m_qrLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_caption, 0, Qt::AlignHCenter);
    layout->addStretch();
}

int NxQRCodeLogin::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxQRCodeLogin::showPicture(const QPixmap& picture)
{
    m_qrLabel->setPixmap(picture.scaled(px(160), px(160), Qt::IgnoreAspectRatio, Qt::FastTransformation));
    show();
}

QPixmap NxQRCodeLogin::picture() const
{
    return m_qrLabel->pixmap(Qt::ReturnByValue);
}

void NxQRCodeLogin::sltShareFileCodeUrl(QString url)
{
    // A file address names a local picture on every system ("file:///C:/a.png", "file:///tmp/a.png").
    const QUrl address(url);
    m_qrLabel->setPixmap(QPixmap(address.isLocalFile() ? address.toLocalFile() : url));
}

void NxQRCodeLogin::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit sigHidden();
}

bool NxQRCodeLogin::event(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        hide();
    return QWidget::event(event);
}
