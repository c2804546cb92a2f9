#include "NxChannelWidget.h"

#include "NxDelConfirmDialog.h"
#include "NxMessagePromptDialog.h"
#include "NxScale.h"
#include "NxTilePictures.h"

#include <QApplication>
#include <QDebug>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

const char* const kSmallBand = ":/images/ID_TEXT_BACKGROUND_SMALL_PIC.png";
const char* const kLargeBand = ":/images/ID_TEXT_BACKGROUND_LARGE_PIC.png";
const int kLongPressMs = 1000;

void setAppFlag(const char* name, const QVariant& value)
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(name, value);
}

bool appFlag(const char* name)
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && app->property(name).toBool();
}

} // namespace

NxChannelWidget::NxChannelWidget(QWidget* parent)
    : NxBaseChannelWidget(parent)
    , m_scale(NxScale::appFactor())
    , m_longPressTimer(new QTimer(this))
{
    m_longPressTimer->setSingleShot(true);
    connect(m_longPressTimer, SIGNAL(timeout()), this, SLOT(slotTimeout()));
    setFocusPolicy(Qt::ClickFocus);
}

int NxChannelWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

int NxChannelWidget::insetTop() const
{
    return m_scale >= 1.0 ? px(6) : px(7);
}

QString NxChannelWidget::name() const
{
    return m_data.value(QStringLiteral("name")).toString();
}

void NxChannelWidget::setItem(QJsonObject json)
{
    m_data = json;
    loadPicture();
    if (m_initialised) {
        renewItem(json);
        return;
    }
    buildLayout();
    m_initialised = true;
    NxBaseChannelWidget::setItem(json, this);
}

void NxChannelWidget::renewItem(QJsonObject json)
{
    m_data = json;
    loadPicture();
    showName();
    // The "added" mark belongs to the channel, not to the tile: an emptied
    // slot or another channel does not keep it.
    if (!json.contains(QStringLiteral("isLogin")))
        showAddMark(json.value(QStringLiteral("isAdd")).toBool());
    NxBaseChannelWidget::renewItem(json, this);
}

void NxChannelWidget::slotRecvChannelImage(void* pCxt, const QImage& image)
{
    // Only the answer to the current request counts, filed under the address
    // it asked for.
    const QString address = requestedImage(pCxt);
    if (address.isEmpty())
        return;
    if (image.isNull()) {
        qDebug() << "NxChannelWidget::slotRecvChannelImage" << "no picture for" << address;
        return;
    }
    m_image = NxTilePictures::fit(address, image, pictureTarget());
    m_faceDirty = true;
    update();
}

QJsonObject NxChannelWidget::getData() const
{
    return m_data;
}

void NxChannelWidget::renewAddMark(bool added)
{
    m_data.insert(QStringLiteral("isAdd"), added);
    showAddMark(added);
}

void NxChannelWidget::showAddMark(bool added)
{
    if (added)
        showMark(QStringLiteral(":/images/ID_ADDED.png"));
    else if (m_markLabel)
        m_markLabel->hide();
}

void NxChannelWidget::renewLoginMark(bool signedIn)
{
    showMark(signedIn ? QStringLiteral(":/images/ID_LOGIN_PIC.png") : QStringLiteral(":/images/ID_NOT_LOGIN_PIC.png"));
}

void NxChannelWidget::setJsonName()
{
    m_data.insert(QStringLiteral("name"), QString());
    // The label and the band follow the data, or a cleared name would still show.
    showName();
    m_faceDirty = true;
    update();
}

void NxChannelWidget::setNameLabelVisable(bool visible)
{
    m_nameVisible = visible;
}

void NxChannelWidget::setNameLabelPosition(bool centred)
{
    m_nameCentred = centred;
}

void NxChannelWidget::setMarkLabelVisable(bool inset)
{
    m_inset = inset;
}

void NxChannelWidget::setPosAnimation(QPoint from, QPoint to)
{
    if (!m_posAnimation) {
        m_posAnimation = new QPropertyAnimation(this, "pos", this);
        m_posAnimation->setDuration(1000);
        m_posAnimation->setEasingCurve(QEasingCurve::OutQuint);
    }
    m_posAnimation->stop();
    m_posAnimation->setStartValue(from);
    m_posAnimation->setEndValue(to);
    m_posAnimation->start();
}

void NxChannelWidget::stopPosAnimation()
{
    if (m_posAnimation)
        m_posAnimation->stop();
}

void NxChannelWidget::showDelbtn(bool show)
{
    m_delShown = show;
    setAppFlag("delWgtShow", show);
    if (!m_delWidget && !show)
        return;
    if (!m_delWidget)
        m_delWidget = createDelOverlay();
    m_delWidget->setVisible(show);
    if (show)
        m_delWidget->raise();
}

bool NxChannelWidget::isDelbtnShown() const
{
    return m_delShown;
}

void NxChannelWidget::slotTimeout()
{
    if (m_data.value(QStringLiteral("from")).toString() == QLatin1String("local"))
        m_deletable = true;
    if (name().isEmpty())
        return;
    if (m_deletable) {
        showDelbtn(true);
        return;
    }
    auto* prompt = new NxMessagePromptDialog(this);
    prompt->show();
}

void NxChannelWidget::slotDelChannelClicked()
{
    if (!m_confirmDialog) {
        m_confirmDialog = new NxDelConfirmDialog(this);
        connect(m_confirmDialog, SIGNAL(sigDelConfirmed()), this, SLOT(slotDoDelChannel()));
    }
    m_confirmDialog->show();
}

void NxChannelWidget::slotDoDelChannel()
{
    if (m_confirmDialog)
        m_confirmDialog->hide();
    showDelbtn(false);
    emit sigDelChannel(m_data);
}

void NxChannelWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    if (m_faceDirty || m_face.size() != size() * devicePixelRatioF())
        composeFace();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_face);
}

void NxChannelWidget::mousePressEvent(QMouseEvent* event)
{
    setAppFlag("gesture", 0);
    if (!m_delShown)
        m_longPressTimer->start(kLongPressMs);
    m_press.press(event->globalPos());
    event->accept();
}

void NxChannelWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_longPressTimer->isActive())
        return;
    // A finger that wanders is scrolling or swiping, not holding.
    const int limit = px(10);
    if (std::abs(m_press.dx(event->globalPos())) > limit || std::abs(m_press.dy(event->globalPos())) > limit)
        m_longPressTimer->stop();
}

void NxChannelWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_longPressTimer->stop();
    if (m_delShownElsewhere) {
        // This tap only closed another tile's delete overlay.
        m_delShownElsewhere = false;
        return;
    }
    if (!m_delShown && m_press.within(event->globalPos(), px(20)))
        emit sigWidgetClicked(m_data);
}

void NxChannelWidget::enterEvent(QEvent* event)
{
    m_delShownElsewhere = appFlag("delWgtShow");
    NxBaseChannelWidget::enterEvent(event);
}

void NxChannelWidget::focusOutEvent(QFocusEvent* event)
{
    // A dialog of our own (the delete question) takes the window's focus but
    // must find the overlay still there; a tap elsewhere in the window closes it.
    if (m_delShown && event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        showDelbtn(false);
    NxBaseChannelWidget::focusOutEvent(event);
}

void NxChannelWidget::resizeEvent(QResizeEvent* event)
{
    NxBaseChannelWidget::resizeEvent(event);
    if (m_initialised)
        updateContentSize();
    if (m_delWidget)
        m_delWidget->setGeometry(rect());
    m_faceDirty = true;
}

void NxChannelWidget::loadPicture()
{
    const QString path = m_data.value(QStringLiteral("image")).toString();
    m_image = path.isEmpty() ? QImage() : NxTilePictures::read(path, pictureTarget());
    if (!path.isEmpty() && m_image.isNull())
        qDebug() << "NxChannelWidget::loadPicture" << "cannot load" << path;
    m_faceDirty = true;
    update();
}

void NxChannelWidget::updateContentSize()
{
    m_contentWidth = width() - (m_contentShrunk ? px(16) : 0);
    m_contentHeight = height() - (m_contentShrunk ? px(12) : 0);
    showName();
}

void NxChannelWidget::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    const bool marked = m_data.contains(QStringLiteral("isAdd")) || m_data.contains(QStringLiteral("isLogin"));
    const bool local = m_data.value(QStringLiteral("from")).toString() == QLatin1String("local");
    if (marked && !local) {
        m_inset = true;
        m_contentShrunk = true;
    }
    updateContentSize();

    if (marked) {
        m_markLabel = new QLabel(this);
        m_markLabel->setObjectName(QStringLiteral("markLabel"));
        m_markLabel->setFixedSize(px(84), px(75));
        m_markLabel->setAlignment(Qt::AlignCenter);
        m_markLabel->hide();
        auto* row = new QHBoxLayout;
        row->setContentsMargins(0, 0, 0, 0);
        row->addStretch();
        row->addWidget(m_markLabel);
        layout->addLayout(row);
        if (m_data.value(QStringLiteral("isAdd")).toBool())
            renewAddMark(true);
    }
    layout->addStretch();
    if (m_nameVisible)
        addNameLabel(layout);
}

void NxChannelWidget::addNameLabel(QVBoxLayout* layout)
{
    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("nameLabel"));
    m_nameLabel->setAlignment(Qt::AlignCenter);
    m_nameLabel->setStyleSheet(
        QStringLiteral("QLabel{font-family:Microsoft YaHei;font-weight:bold;font-size:%1px;color:#FEFEFE;"
                       "background:transparent;}")
            .arg(px(18)));
    if (m_nameCentred) {
        layout->addWidget(m_nameLabel);
    } else {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(m_inset ? px(10) : 0, 0, 0, m_inset ? insetTop() : 0);
        row->setSpacing(0);
        row->addSpacing(px(24));
        row->addWidget(m_nameLabel);
        row->addStretch();
        layout->addLayout(row);
    }
    layout->addSpacing(px(14));
    showName();
}

// Names longer than the tile end in an ellipsis instead of being cut.
void NxChannelWidget::showName()
{
    if (!m_nameLabel)
        return;
    m_nameLabel->ensurePolished();
    const int room = m_nameCentred ? qMin(m_contentWidth, width()) - px(16)
                                   : width() - (m_inset ? px(10) : 0) - px(24) - px(16);
    const QString text = m_nameLabel->fontMetrics().elidedText(name(), Qt::ElideRight, qMax(0, room));
    m_nameLabel->setText(text);
    m_nameLabel->setToolTip(text == name() ? QString() : name());
    if (!m_nameCentred)
        m_nameLabel->setFixedWidth(m_nameLabel->fontMetrics().horizontalAdvance(text) + 2);
}

void NxChannelWidget::showMark(const QString& picture)
{
    if (!m_markLabel)
        return;
    const QPixmap mark(picture);
    if (mark.isNull())
        qDebug() << "NxChannelWidget::showMark" << "cannot load" << picture;
    m_markLabel->setPixmap(mark.scaled(px(84), px(75), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_markLabel->show();
}

QRect NxChannelWidget::pictureArea() const
{
    return m_inset ? QRect(px(8), insetTop(), width() - px(16), height() - px(12)) : rect();
}

QSize NxChannelWidget::pictureTarget() const
{
    // Only a tile given its size knows what it shows; the whole tile covers
    // the picture area in either layout.
    if (!testAttribute(Qt::WA_Resized) || width() <= 0 || height() <= 0)
        return QSize();
    return size() * devicePixelRatioF();
}

void NxChannelWidget::composeFace()
{
    const qreal ratio = devicePixelRatioF();
    m_face = QPixmap(size() * ratio);
    m_face.setDevicePixelRatio(ratio);
    m_face.fill(Qt::transparent);
    m_faceDirty = false;
    if (width() <= 0 || height() <= 0)
        return;

    QPainter painter(&m_face);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int c = insetTop();
    const QRect picture = pictureArea();
    QPainterPath clip;
    clip.addRoundedRect(picture, px(4), px(4));
    painter.setClipPath(clip);
    if (!m_image.isNull()) {
        // A picture of another shape fills the tile and is cropped evenly,
        // rather than stretched out of shape.
        const QSize target = picture.size() * ratio;
        const QImage scaled = m_image.scaled(target, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        QRect source(QPoint(0, 0), target);
        source.moveCenter(scaled.rect().center());
        painter.drawImage(picture, scaled, source);
    }
    if (!m_nameVisible || name().isEmpty())
        return;
    // The band stays inside the picture's rounded corners.
    if (m_inset)
        drawBand(painter, QRect(px(8), height() - px(48) - c, m_contentWidth, px(48)), QString::fromLatin1(kSmallBand));
    else
        drawBand(painter, QRect(0, height() - px(48), m_contentWidth, px(48)),
                 QString::fromLatin1(m_nameCentred ? kSmallBand : kLargeBand));
}

void NxChannelWidget::drawBand(QPainter& painter, const QRect& area, const QString& picture) const
{
    const QPixmap band(picture);
    if (band.isNull()) {
        qDebug() << "NxChannelWidget::drawBand" << "cannot load" << picture;
        return;
    }
    painter.drawPixmap(area, band);
}

QWidget* NxChannelWidget::createDelOverlay()
{
    auto* overlay = new QWidget(this);
    overlay->setObjectName(QStringLiteral("delwidget"));
    overlay->setAttribute(Qt::WA_StyledBackground);
    overlay->setGeometry(rect());
    overlay->setStyleSheet(QStringLiteral("QWidget#delwidget{border:2px solid #F13B3B;border-radius:%1px;"
                                          "background-color:rgba(0,0,0,0.50);}")
                               .arg(px(4)));
    m_delButton = new QPushButton(overlay);
    m_delButton->setObjectName(QStringLiteral("delBtn"));
    m_delButton->setFixedSize(px(114), px(114));
    // Taking focus would close the overlay under the finger before the click.
    m_delButton->setFocusPolicy(Qt::NoFocus);
    m_delButton->setStyleSheet(QStringLiteral("QPushButton#delBtn{border:none;background:transparent;"
                                              "border-image:url(:/images/ID_DEL_CHANNEL.png);}"));
    connect(m_delButton, SIGNAL(clicked()), this, SLOT(slotDelChannelClicked()));
    auto* layout = new QHBoxLayout(overlay);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_delButton, 0, Qt::AlignCenter);
    return overlay;
}
