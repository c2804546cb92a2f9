#include "NxMessageWidget.h"

#include "NxPixmapLabel.h"
#include "NxPushButton.h"
#include "NxScale.h"
#include "NxWindowShape.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtMath>

namespace {

const char* const kOkSheet =
    "QPushButton#okbtn{font-family:Microsoft YaHei;font-size:%2px;color:#ffffff;"
    "background-color:#666EDC;border:1px solid #666EDC;border-radius:%1px;}"
    "QPushButton#okbtn:hover,QPushButton#okbtn:pressed{background-color:#757CDF;border-color:#757CDF;}";
const char* const kCancelSheet =
    "QPushButton#messageboxCancel{font-family:Microsoft YaHei;font-size:%2px;color:#333333;"
    "background-color:#ffffff;border:1px solid #cccccc;border-radius:%1px;}"
    "QPushButton#messageboxCancel:hover,QPushButton#messageboxCancel:pressed{background-color:#ededed;}";
const char* const kTitleBarSheet =
    "border-top-left-radius: %1px;border-top-right-radius: %1px;border-bottom:1px solid #d9d9d9;"
    "background-color:rgb(255,255,255);";
const char* const kButtonBarSheet =
    "QWidget#messageboxBottom{border-bottom-left-radius:%1px;border-bottom-right-radius:%1px;"
    "background-color:#f7f7f7;border-top:1px solid #dbdbdb;}";

void makePassive(QPushButton* button)
{
    button->setDefault(false);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
}

QStringList nonEmptyLines(const QStringList& details)
{
    QStringList lines;
    for (const QString& line : details) {
        if (!line.trimmed().isEmpty())
            lines.append(line);
    }
    return lines;
}

// The box height showing text at textWidth: document, frame on both sides
// and 4. Setting the text resets the document's width, so it is set after.
int detailsHeight(QTextEdit* info, const QString& text, int textWidth)
{
    info->setPlainText(text);
    info->document()->setTextWidth(textWidth);
    return qCeil(info->document()->size().height()) + 2 * info->frameWidth() + 4;
}

QString withEllipsis(const QStringList& lines, int count)
{
    return (lines.mid(0, count) << QStringLiteral("\u2026")).join(QLatin1Char('\n'));
}

} // namespace

NxMessageWidget::NxMessageWidget(QWidget* parent, double scale, int messageFlag, bool showBottomSpace)
    : QDialog(parent)
    , m_parent(parent)
    , m_showBottomSpace(showBottomSpace)
    , m_shadowWidth(NxScale::px(3, scale))
    , m_messageFlag(messageFlag)
    , m_scale(scale)
{
    QApplication::restoreOverrideCursor();
    setFixedSize(px(368), px(260));
    setContentsMargins(1, 1, 1, 1);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    shape();

    m_mainLayout = new QVBoxLayout(this);
    m_mainLayout->setAlignment(Qt::AlignTop);
    m_mainLayout->setContentsMargins(m_shadowWidth, m_shadowWidth, m_shadowWidth, m_shadowWidth);
    m_mainLayout->setSpacing(0);

    initTitleBar();
    m_contentArea = new QWidget(this);
    auto* contentLayout = new QVBoxLayout(m_contentArea);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(0);
    contentLayout->setAlignment(Qt::AlignTop);
    initButtonBar();
    setMessageFlag(messageFlag);
}

void NxMessageWidget::setMessageInfo(const QString& pixmapPath, const QString& text)
{
    QWidget* content = createContentColumn(QMargins(px(20), 0, px(20), 0), 0);
    content->setMinimumHeight(freeContentHeight());
    NxPixmapLabel* label = createPixmapLabel(content, pixmapPath, text, px(10));
    content->layout()->addWidget(label);
    content->layout()->setAlignment(label, Qt::AlignCenter);
    setContentWidget(content);
}

void NxMessageWidget::setMessageInfo(const QString& pixmapPath, const QString& title, const QString& description)
{
    QWidget* content = createContentColumn(QMargins(px(20), 0, px(20), px(20)), px(10));
    content->setMinimumHeight(freeContentHeight());
    auto* column = static_cast<QVBoxLayout*>(content->layout());
    column->addWidget(createPixmapLabel(content, pixmapPath, title, px(10)), 1, Qt::AlignCenter);

    auto* words = new QLabel(description, content);
    words->setObjectName(QStringLiteral("declbl"));
    words->setStyleSheet(QStringLiteral("QLabel#declbl{color:#666666;font:%1px;}").arg(px(14)));
    words->setWordWrap(true);
    words->setAlignment(Qt::AlignCenter);
    column->addWidget(words);
    setContentWidget(content);
}

void NxMessageWidget::setMessageError(const QString& pixmapPath, const QString& text, const QStringList& details)
{
    QWidget* content = createContentColumn(QMargins(px(30), px(10), px(30), 0), px(10));
    auto* column = static_cast<QVBoxLayout*>(content->layout());
    column->addWidget(createPixmapLabel(content, pixmapPath, text, 2), 0, Qt::AlignCenter);
    QTextEdit* info = createDetailsBox(content);
    fillDetails(info, nonEmptyLines(details));
    column->addWidget(info);
    setContentWidget(content);
}

void NxMessageWidget::setContentWidget(QWidget* w)
{
    if (m_contentWidget && m_contentWidget != w)
        delete m_contentWidget;
    m_contentWidget = w;
    if (w) {
        w->setParent(m_contentArea);
        m_contentArea->layout()->addWidget(w);
        m_contentArea->resize(w->sizeHint());
    }
    fitHeightToContent();
}

QWidget* NxMessageWidget::getContentWidget() const
{
    return m_contentWidget;
}

void NxMessageWidget::setTitleText(const QString& text)
{
    m_titleLabel->setText(text);
}

QString NxMessageWidget::getTitleText() const
{
    return m_titleLabel->text();
}

void NxMessageWidget::setTitleLogo(const QPixmap& logo)
{
    m_logoLabel->setPixmap(logo);
}

QPixmap NxMessageWidget::getTitleLogo() const
{
    return m_logoLabel->pixmap(Qt::ReturnByValue);
}

void NxMessageWidget::setCloseBtnPixName(const QString& name)
{
    m_closeBtn->setPixName(name);
    m_closeBtn->update();
}

void NxMessageWidget::setMinBtnPixName(const QString& name)
{
    m_minBtn->setPixName(name);
    m_minBtn->show();
}

void NxMessageWidget::setOkBtnText(const QString& text)
{
    m_okBtn->setText(text);
}

void NxMessageWidget::setCancelText(const QString& text)
{
    m_cancelBtn->setText(text);
}

void NxMessageWidget::setOKBtnVisible(bool on)
{
    m_okVisible = on;
    m_okBtn->setVisible(on);
    updateButtonBar();
}

void NxMessageWidget::setCancelBtnVisible(bool on)
{
    m_cancelVisible = on;
    m_cancelBtn->setVisible(on);
    updateButtonBar();
}

QPushButton* NxMessageWidget::getOKBtn() const
{
    return m_okBtn;
}

QPushButton* NxMessageWidget::getCancelBtn() const
{
    return m_cancelBtn;
}

QList<QPushButton*> NxMessageWidget::getActionButtons() const
{
    return m_actionButtons;
}

void NxMessageWidget::setBottomSpaceVisible(bool on)
{
    m_showBottomSpace = on;
    setMessageFlag(m_messageFlag);
}

void NxMessageWidget::setBorderIsRounded(bool on)
{
    m_roundedBorder = on;
    shape();
    styleBars();
    update();
}

void NxMessageWidget::setMessageFlag(int flag)
{
    m_messageFlag = flag;
    clearMainLayout();
    setFixedHeight(px(260));
    if (flag == 1)
        setMaximumHeight(px(400));
    if (flag != 0) {
        m_mainLayout->addWidget(m_titleBar);
        m_mainLayout->addWidget(m_contentArea);
    }
    if (flag == 1) {
        m_mainLayout->addSpacing(px(20));
        m_mainLayout->addWidget(m_buttonBar);
    } else if (flag != 0 && flag != 3) {
        addBottomSpaceOrStretch();
        m_mainLayout->addWidget(m_buttonBar);
    }
    // Sections left out of the arrangement must not float over it.
    m_titleBar->setVisible(flag != 0);
    m_contentArea->setVisible(flag != 0);
    if (m_bottomSpace)
        m_bottomSpace->setVisible(m_mainLayout->indexOf(m_bottomSpace) >= 0);
    updateButtonBar();
    fitHeightToContent();
}

int NxMessageWidget::shadowWidth() const
{
    return m_shadowWidth;
}

void NxMessageWidget::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return;
    if (m_okBtn->isEnabled() && m_okBtn->isVisibleTo(this))
        m_okBtn->click();
    emit sigReturnKeyPressed();
}

void NxMessageWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_pressX = event->globalPos().x() - x();
    m_pressY = event->globalPos().y() - y();
}

void NxMessageWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPos().x() - m_pressX, event->globalPos().y() - m_pressY);
}

void NxMessageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    Q_UNUSED(event)
    m_dragging = false;
}

void NxMessageWidget::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    if (!m_translucent) {
        NxWindowShape::paintPanel(this, painter, Qt::white);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = m_roundedBorder ? m_shadowWidth : 0;
    const QRectF whole(rect());

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const int sw = m_shadowWidth;
    painter.drawRoundedRect(whole.adjusted(sw, sw, -sw, -sw), radius, radius);

    // One-pixel outlines, darkest at the panel, fading outward; the half-pixel
    // shift keeps each on exactly one pixel row.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < sw; ++i) {
        const qreal inset = sw - i + 0.5;
        painter.setPen(QColor(0, 0, 0, 60 - i * (60 / sw)));
        painter.drawRoundedRect(whole.adjusted(inset, inset, -inset, -inset), radius, radius);
    }
}

void NxMessageWidget::shape()
{
    m_translucent = NxWindowShape::apply(this, m_shadowWidth, m_roundedBorder ? m_shadowWidth : 0);
}

void NxMessageWidget::showEvent(QShowEvent* event)
{
    if (!m_parent) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = geometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

void NxMessageWidget::slotOkClicked()
{
    accept();
    emit sigOK();
}

void NxMessageWidget::slotCancelClicked()
{
    reject();
    emit sigCancle();
}

int NxMessageWidget::px(double design) const
{
    return NxScale::px(design, m_scale);
}

void NxMessageWidget::initTitleBar()
{
    m_titleBar = new QLabel(this);
    m_titleBar->setFixedHeight(px(39));
    styleBars();
    auto* row = new QHBoxLayout(m_titleBar);
    row->setContentsMargins(px(10), 0, 0, 0);
    row->setSpacing(0);

    m_logoLabel = new QLabel(m_titleBar);
    m_logoLabel->setObjectName(QStringLiteral("cmessageboxlogo"));
    m_logoLabel->setFixedSize(px(10), px(10));
    m_logoLabel->setScaledContents(true);
    m_logoLabel->setStyleSheet(QStringLiteral("QLabel#cmessageboxlogo{border:none;}"));

    m_titleLabel = new QLabel(m_titleBar);
    m_titleLabel->setObjectName(QStringLiteral("cmessagewidgetTitle"));
    m_titleLabel->setStyleSheet(QStringLiteral("QLabel#cmessagewidgetTitle{font-family:Microsoft YaHei;"
                                               "font-size:%1px;color:#333333;border:none;}")
                                    .arg(px(14)));

    m_minBtn = new NxPushButton(m_titleBar, 1.0);
    m_minBtn->setFixedSize(px(38), px(38));
    makePassive(m_minBtn);
    m_minBtn->hide();
    connect(m_minBtn, SIGNAL(clicked()), this, SLOT(showMinimized()));

    m_closeBtn = new NxPushButton(m_titleBar, 1.0);
    m_closeBtn->setObjectName(QStringLiteral("cmessageboxclose"));
    m_closeBtn->setFixedSize(px(38), px(38));
    m_closeBtn->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    m_closeBtn->setStyleSheet(QStringLiteral("NxPushButton{border-top-right-radius: 0px;}"));
    makePassive(m_closeBtn);
    connect(m_closeBtn, SIGNAL(clicked()), this, SLOT(close()));

    row->addWidget(m_logoLabel);
    row->addWidget(m_titleLabel);
    row->addStretch();
    row->addWidget(m_minBtn, 0, Qt::AlignRight);
    row->addWidget(m_closeBtn, 0, Qt::AlignRight);
}

void NxMessageWidget::initButtonBar()
{
    m_buttonBar = new QWidget(this);
    m_buttonBar->setObjectName(QStringLiteral("messageboxBottom"));
    m_buttonBar->setFixedHeight(px(56));
    styleBars();

    m_okBtn = createActionButton(QStringLiteral("okbtn"), tr("ID_SETTING_OKBUTTOM"),
                                 QString::fromLatin1(kOkSheet).arg(px(4)).arg(px(16)));
    m_cancelBtn = createActionButton(QStringLiteral("messageboxCancel"), tr("ID_SETTING_CANCELBUTTON"),
                                     QString::fromLatin1(kCancelSheet).arg(px(2)).arg(px(12)));
    connect(m_okBtn, SIGNAL(clicked()), this, SLOT(slotOkClicked()));
    connect(m_cancelBtn, SIGNAL(clicked()), this, SLOT(slotCancelClicked()));
    m_actionButtons = { m_okBtn, m_cancelBtn };

    auto* row = new QHBoxLayout(m_buttonBar);
    row->setContentsMargins(0, px(12), 0, px(12));
    row->setSpacing(px(20));
    row->addStretch();
    row->addWidget(m_okBtn);
    row->addWidget(m_cancelBtn);
    row->addStretch();
}

QPushButton* NxMessageWidget::createActionButton(const QString& objectName, const QString& text, const QString& sheet)
{
    auto* button = new QPushButton(text, m_buttonBar);
    button->setObjectName(objectName);
    button->setFixedSize(px(108), px(32));
    button->setStyleSheet(sheet);
    makePassive(button);
    return button;
}

// Title bar and button bar follow the rounded-border flag together.
void NxMessageWidget::styleBars()
{
    const int radius = m_roundedBorder ? px(5) : 0;
    m_titleBar->setStyleSheet(QString::fromLatin1(kTitleBarSheet).arg(radius));
    if (m_buttonBar)
        m_buttonBar->setStyleSheet(QString::fromLatin1(kButtonBarSheet).arg(radius));
}

void NxMessageWidget::clearMainLayout()
{
    while (QLayoutItem* item = m_mainLayout->takeAt(0))
        delete item;
}

void NxMessageWidget::addBottomSpaceOrStretch()
{
    if (!m_showBottomSpace) {
        m_mainLayout->addStretch(1);
        return;
    }
    if (!m_bottomSpace) {
        m_bottomSpace = new QLabel(this);
        m_bottomSpace->setObjectName(QStringLiteral("label"));
        m_bottomSpace->setFixedHeight(px(40));
    }
    m_mainLayout->addWidget(m_bottomSpace);
}

void NxMessageWidget::updateButtonBar()
{
    const bool placed = m_mainLayout->indexOf(m_buttonBar) >= 0;
    m_buttonBar->setVisible(placed && (m_okVisible || m_cancelVisible));
}

// Only the growing arrangement follows its content, within its limits.
void NxMessageWidget::fitHeightToContent()
{
    if (m_messageFlag != 1)
        return;
    // The area's new size hint reaches the main layout only with the next
    // layout pass; ask for it now.
    m_contentArea->layout()->activate();
    m_mainLayout->invalidate();
    const QMargins margins = contentsMargins();
    const int wanted = m_mainLayout->sizeHint().height() + margins.top() + margins.bottom();
    resize(width(), qBound(minimumHeight(), wanted, maximumHeight()));
}

// The panel's inner width: the design width less the window's contents
// margins and the shadow on both sides.
int NxMessageWidget::contentWidth() const
{
    const QMargins margins = contentsMargins();
    return px(368) - margins.left() - margins.right() - 2 * m_shadowWidth;
}

NxPixmapLabel* NxMessageWidget::createPixmapLabel(QWidget* parent, const QString& pixmapPath, const QString& text,
                                                  int spacing) const
{
    auto* label = new NxPixmapLabel(parent, QPixmap(pixmapPath), text);
    label->setStyleSheet(QStringLiteral("QLabel{color:#666666;font-size:%1px;}").arg(px(14)));
    label->layout()->setSpacing(spacing);
    return label;
}

QWidget* NxMessageWidget::createContentColumn(const QMargins& margins, int spacing)
{
    auto* content = new QWidget(m_contentArea);
    content->setFixedWidth(contentWidth());
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(margins);
    column->setSpacing(spacing);
    return content;
}

// The height the content area gets in the current arrangement: the panel
// less every other section of fixed height.
int NxMessageWidget::freeContentHeight() const
{
    const QMargins outer = contentsMargins();
    const QMargins inner = m_mainLayout->contentsMargins();
    int free = height() - outer.top() - outer.bottom() - inner.top() - inner.bottom();
    for (int i = 0; i < m_mainLayout->count(); ++i) {
        QLayoutItem* item = m_mainLayout->itemAt(i);
        QWidget* w = item->widget();
        if (w && w != m_contentArea && !w->isHidden())
            free -= w->minimumHeight();
        else if (!w && !(item->expandingDirections() & Qt::Vertical))
            free -= item->sizeHint().height();
    }
    return qMax(0, free);
}

QTextEdit* NxMessageWidget::createDetailsBox(QWidget* parent) const
{
    auto* info = new QTextEdit(parent);
    info->setObjectName(QStringLiteral("errorinfo"));
    info->setStyleSheet(QStringLiteral("QTextEdit#errorinfo{color:#666666;font:%1px;}").arg(px(16)));
    info->setReadOnly(true);
    info->setFrameShape(QFrame::NoFrame);
    info->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    info->setContextMenuPolicy(Qt::NoContextMenu);
    info->setTextInteractionFlags(Qt::NoTextInteraction);
    info->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    info->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QTextOption option = info->document()->defaultTextOption();
    option.setAlignment(Qt::AlignHCenter);
    info->document()->setDefaultTextOption(option);
    return info;
}

// All lines when they fit under the cap; otherwise the box stays at the cap
// and shows as many whole lines as fit, then an ellipsis, instead of a line
// cut in half.
void NxMessageWidget::fillDetails(QTextEdit* info, const QStringList& lines) const
{
    // Measure with the style sheet's font at the width the column gives.
    info->ensurePolished();
    const int textWidth = contentWidth() - 2 * px(30) - 2 * info->frameWidth();
    const int cap = px(204);
    const int height = detailsHeight(info, lines.join(QLatin1Char('\n')), textWidth);
    info->setFixedHeight(qMin(height, cap));
    if (height <= cap)
        return;
    int shown = 0;
    int hidden = lines.size();
    while (hidden - shown > 1) {
        const int middle = (shown + hidden) / 2;
        if (detailsHeight(info, withEllipsis(lines, middle), textWidth) <= cap)
            shown = middle;
        else
            hidden = middle;
    }
    info->setPlainText(withEllipsis(lines, shown));
}
