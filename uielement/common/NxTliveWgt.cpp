#include "NxTliveWgt.h"

#include "NxScale.h"
#include "NxTmyEdit.h"

#include <QApplication>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const char* const kKeySheet =
    "QPushButton{font-family:Microsoft YaHei;font-size:%1px;background-color:transparent;border:%2px solid #BEBEBE;"
    "border-radius:%3px;color:#FEFEFE;}QPushButton:hover{background-color:#33FFFFFF;}"
    "QPushButton:pressed{background-color:#80FFFFFF;}";
const char* const kOkSheet =
    "QPushButton{font-family:Microsoft YaHei;font-size:%1px;background-color:#4169E1;border-radius:%2px;"
    "color:#FEFEFE;}QPushButton:hover{background-color:#33FFFFFF;}QPushButton:pressed{background-color:#80FFFFFF;}";

// Design layout of the 515 x 609 panel: a 370-wide column in the middle.
const int kColumnWidth = 370;
const int kSideMargin = 72;
const int kKeyGap = 29;
const int kRowGap = 20;

} // namespace

NxTliveWgt::NxTliveWgt(QWidget* parent)
    : NxCommonDialogEffect(parent, 1.0)
    , m_scale(scaleFactor())
{
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(NxScale::px(515, m_scale), NxScale::px(609, m_scale));
    setWindowModality(Qt::WindowModal);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    // One panel is made per live code entered; a closed one is done with.
    setAttribute(Qt::WA_DeleteOnClose);
    initUi();
}

void NxTliveWgt::initUi()
{
    m_background = new QWidget(this);
    m_background->setObjectName(QStringLiteral("livecode"));
    m_background->setFixedWidth(width());
    m_background->setStyleSheet(
        QStringLiteral(".QWidget#livecode{border-image:url(:/images/ID_LIVE_CODE_BACKGROUND.png)}"));

    auto* column = new QVBoxLayout(m_background);
    column->setContentsMargins(NxScale::px(kSideMargin, m_scale), NxScale::px(48, m_scale),
                               width() - NxScale::px(kSideMargin + kColumnWidth, m_scale), NxScale::px(50, m_scale));
    column->setSpacing(0);
    column->addWidget(createTitleRow(m_background));
    column->addSpacing(NxScale::px(56, m_scale));
    column->addWidget(createCodeArea(m_background));
    column->addSpacing(NxScale::px(36, m_scale));
    column->addWidget(createKeypad(m_background));
    column->addStretch();
    setCenterWidget(m_background);
}

QWidget* NxTliveWgt::createTitleRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    m_title = new QLabel(tr("ID_LIVECODE"), row);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_title->setStyleSheet(QStringLiteral("font-family:Microsoft YaHei;font-size:%1px;color: #FFFFFFFF ")
                               .arg(NxScale::fractional(25, m_scale)));
    m_title->ensurePolished();
    // A longer translation widens the title rather than losing its end.
    m_title->setFixedSize(qMax(NxScale::px(80, m_scale), m_title->fontMetrics().horizontalAdvance(m_title->text()) + 2),
                          NxScale::px(30, m_scale));

    m_close = new QPushButton(row);
    m_close->setObjectName(QStringLiteral("close"));
    m_close->setFixedSize(NxScale::px(18, m_scale), NxScale::px(18, m_scale));
    m_close->setIcon(QIcon(QStringLiteral(":/images/ID_LIVE_CLOSE.png")));
    m_close->setIconSize(m_close->size());
    m_close->setStyleSheet(QStringLiteral("background-color:transparent;border:none"));
    m_close->setFocusPolicy(Qt::NoFocus);
    m_close->setAutoDefault(false);
    connect(m_close, SIGNAL(clicked()), this, SLOT(deleteLater()));

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addStretch();
    layout->addWidget(m_close, 0, Qt::AlignTop);
    return row;
}

QWidget* NxTliveWgt::createCodeArea(QWidget* parent)
{
    auto* area = new QWidget(parent);
    m_edit = new NxTmyEdit(area);
    m_edit->setObjectName(QStringLiteral("code"));
    m_edit->setFixedSize(NxScale::px(210, m_scale), NxScale::px(28, m_scale));
    m_edit->setAlignment(Qt::AlignCenter);
    m_edit->setStyleSheet(QStringLiteral("QLineEdit{font-family:Microsoft YaHei;font-size:%1px;color:#FFFEFEFE;"
                                         "background-color:transparent;border-width:0;border-style:outset}")
                              .arg(NxScale::fractional(25, m_scale)));
    m_edit->setFocusPolicy(Qt::ClickFocus);
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+$")), m_edit));
    m_edit->installEventFilter(this);
    connect(m_edit, SIGNAL(sigKeyinput(QString)), this, SLOT(slotEditChar(QString)));

    auto* line = new QFrame(area);
    line->setFrameShape(QFrame::HLine);
    line->setFixedSize(NxScale::px(kColumnWidth, m_scale), qMax(1, NxScale::px(2, m_scale)));
    line->setStyleSheet(QStringLiteral("QFrame{border:none;background-color:#80FFFFFF;}"));

    m_pages = new QStackedWidget(area);
    m_blank = new QLabel(m_pages);
    m_prompt = new QLabel(tr("ID_PLEASE"), m_pages);
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_prompt->setAlignment(Qt::AlignCenter);
    m_prompt->setStyleSheet(QStringLiteral("QLabel{font-family:Microsoft YaHei;color:red;font-size:%1px;}")
                                .arg(NxScale::fractional(15, m_scale)));
    // Small scales round the line box below the font's own height.
    m_prompt->ensurePolished();
    const QSize page(qMax(NxScale::px(175, m_scale), m_prompt->fontMetrics().horizontalAdvance(m_prompt->text()) + 2),
                     qMax(NxScale::px(24, m_scale), m_prompt->fontMetrics().height()));
    m_pages->setFixedHeight(page.height());
    m_blank->setFixedSize(page);
    m_prompt->setFixedSize(page);
    m_pages->addWidget(m_blank);
    m_pages->addWidget(m_prompt);
    m_pages->setCurrentWidget(m_blank);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(NxScale::px(6, m_scale));
    layout->addWidget(m_edit, 0, Qt::AlignHCenter);
    layout->addWidget(line);
    layout->addWidget(m_pages, 0, Qt::AlignHCenter);
    return area;
}

QWidget* NxTliveWgt::createKeypad(QWidget* parent)
{
    auto* pad = new QWidget(parent);
    const QString keySheet = QString::fromLatin1(kKeySheet).arg(NxScale::fractional(25, m_scale),
                                                                NxScale::fractional(1, m_scale),
                                                                NxScale::fractional(5, m_scale));
    const QString okSheet =
        QString::fromLatin1(kOkSheet).arg(NxScale::fractional(25, m_scale), NxScale::fractional(5, m_scale));
    auto* grid = new QGridLayout(pad);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(NxScale::px(kKeyGap, m_scale));
    grid->setVerticalSpacing(NxScale::px(kRowGap, m_scale));
    for (int digit = 1; digit <= 10; ++digit) {
        const QString text = QString::number(digit % 10);
        QPushButton* key = createKey(pad, text, keySheet);
        connect(key, SIGNAL(clicked()), this, SLOT(onButtonNumClick()));
        m_digits.append(key);
        // 1 to 9 in rows of three, 0 in the middle of the last row.
        grid->addWidget(key, digit == 10 ? 3 : (digit - 1) / 3, digit == 10 ? 1 : (digit - 1) % 3);
    }
    m_delete = createKey(pad, tr("ID_DELETE"), keySheet);
    m_delete->setObjectName(QStringLiteral("delete"));
    connect(m_delete, SIGNAL(clicked()), this, SLOT(on_button_return_clicked()));
    grid->addWidget(m_delete, 3, 0);
    m_ok = createKey(pad, tr("ID_OK"), okSheet);
    m_ok->setObjectName(QStringLiteral("ok"));
    connect(m_ok, SIGNAL(clicked()), this, SLOT(on_button_enter_clicked()));
    grid->addWidget(m_ok, 3, 2);
    return pad;
}

QPushButton* NxTliveWgt::createKey(QWidget* parent, const QString& text, const QString& sheet)
{
    auto* key = new QPushButton(text, parent);
    key->setObjectName(QStringLiteral("key_") + text);
    key->setFixedSize(NxScale::px(104, m_scale), NxScale::px(64, m_scale));
    key->setFocusPolicy(Qt::NoFocus);
    key->setAutoDefault(false);
    key->setDefault(false);
    key->setStyleSheet(sheet);
    return key;
}

void NxTliveWgt::slotEditChar(QString input)
{
    m_edit->setFocus();
    // Inserting leaves the cursor one place further right, after the digit.
    m_edit->insert(input);
    showPrompt(false);
}

void NxTliveWgt::onButtonNumClick()
{
    if (auto* key = qobject_cast<QPushButton*>(sender()))
        slotEditChar(key->text());
}

bool NxTliveWgt::deleteBeforeCursor(bool& removedFirst)
{
    removedFirst = false;
    const int position = m_edit->cursorPosition();
    if (m_edit->text().isEmpty() || position == 0) {
        showPrompt(true);
        return false;
    }
    QString text = m_edit->text();
    text.remove(position - 1, 1);
    m_edit->setText(text);
    m_edit->setCursorPosition(position - 1);
    m_edit->setFocus();
    showPrompt(false);
    removedFirst = position == 1;
    return true;
}

void NxTliveWgt::on_button_return_clicked()
{
    bool removedFirst = false;
    if (deleteBeforeCursor(removedFirst) && removedFirst)
        m_edit->clearFocus();
}

void NxTliveWgt::on_button_enter_clicked()
{
    const QString code = m_edit->text();
    if (code.isEmpty()) {
        showPrompt(true);
        return;
    }
    showPrompt(false);
    // Cleared first: the receiver may run a modal wait before returning.
    m_edit->clear();
    qDebug() << "NxTliveWgt::on_button_enter_clicked" << "live code" << code;
    emit signLivingCode(code);
}

bool NxTliveWgt::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace)
        showPrompt(m_edit->text().isEmpty() || m_edit->cursorPosition() == 0);
    return NxCommonDialogEffect::eventFilter(watched, event);
}

void NxTliveWgt::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        slotEditChar(QString(QChar(key)));
    } else if (key == Qt::Key_Backspace) {
        bool removedFirst = false;
        deleteBeforeCursor(removedFirst);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The button goes down now and clicks on the key's release, so the
        // code is sent once, as by a finger on the button.
        sendToOk(QEvent::MouseButtonPress);
    } else {
        NxCommonDialogEffect::keyPressEvent(event);
        return;
    }
    event->accept();
}

void NxTliveWgt::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        sendToOk(QEvent::MouseButtonRelease);
    NxCommonDialogEffect::keyReleaseEvent(event);
}

void NxTliveWgt::showPrompt(bool on)
{
    m_pages->setCurrentWidget(on ? static_cast<QWidget*>(m_prompt) : m_blank);
}

void NxTliveWgt::sendToOk(QEvent::Type type)
{
    const QPoint at(1, 1);
    QMouseEvent mouse(type, at, m_ok->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_ok, &mouse);
}
