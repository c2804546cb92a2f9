#include "NxLocalPlayerBar.h"

#include "NxScale.h"
#include "NxSeekSlider.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

const int kSkipSeconds = 10;

} // namespace

NxLocalPlayerBar::NxLocalPlayerBar(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setObjectName(QStringLiteral("localPlayerBar"));
    auto* column = new QVBoxLayout(this);
    const int side = NxScale::px(40, m_scale);
    column->setContentsMargins(side, NxScale::px(40, m_scale), side, NxScale::px(20, m_scale));
    column->setSpacing(NxScale::px(6, m_scale));
    column->addWidget(makeTimeRow());
    column->addWidget(makeButtonRow());
    setFixedHeight(sizeHint().height());
}

QString NxLocalPlayerBar::timeText(double seconds)
{
    const qint64 total = qMax<qint64>(0, qint64(seconds));
    const QLatin1Char zero('0');
    if (total < 3600)
        return QStringLiteral("%1:%2").arg(total / 60).arg(total % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3").arg(total / 3600).arg(total / 60 % 60, 2, 10, zero).arg(total % 60, 2, 10, zero);
}

void NxLocalPlayerBar::place()
{
    if (QWidget* owner = parentWidget())
        setGeometry(0, owner->height() - height(), owner->width(), height());
}

QWidget* NxLocalPlayerBar::makeTimeRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(NxScale::px(20, m_scale));
    const QString style = QStringLiteral("font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;")
                              .arg(NxScale::fractional(22, m_scale));
    m_elapsed = new QLabel(timeText(0), row);
    m_total = new QLabel(timeText(0), row);
    m_elapsed->setObjectName(QStringLiteral("elapsed"));
    m_total->setObjectName(QStringLiteral("total"));
    for (QLabel* label : {m_elapsed, m_total}) {
        label->setStyleSheet(style);
        label->setMinimumWidth(NxScale::px(96, m_scale));
        label->setAlignment(Qt::AlignCenter);
    }
    m_seek = new NxSeekSlider(row, m_scale);
    m_seek->setObjectName(QStringLiteral("seek"));
    layout->addWidget(m_elapsed);
    layout->addWidget(m_seek, 1);
    layout->addWidget(m_total);
    // Dragging shows the time under the finger; letting go seeks there.
    connect(m_seek, &QSlider::sliderMoved, this, [this](int ms) { m_elapsed->setText(timeText(ms / 1000.0)); });
    connect(m_seek, &NxSeekSlider::released, this, [this](int ms) { emit sigSeek(ms / 1000.0); });
    return row;
}

QWidget* NxLocalPlayerBar::makeButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(NxScale::px(28, m_scale));
    const int size = NxScale::px(72, m_scale);

    QPushButton* back = makeButton(NxPlayerIcons::Back, size, "back");
    back->setText(tr("ID_BROWSER_ROLLBACK"));
    back->setMinimumWidth(NxScale::px(150, m_scale));
    back->setMaximumWidth(QWIDGETSIZE_MAX);
    QPushButton* rewind = makeButton(NxPlayerIcons::Rewind, size, "rewind");
    m_play = makeButton(NxPlayerIcons::Pause, NxScale::px(88, m_scale), "playPause");
    QPushButton* forward = makeButton(NxPlayerIcons::Forward, size, "forward");
    m_mute = makeButton(NxPlayerIcons::Volume, size, "mute");
    m_volume = new QSlider(Qt::Horizontal, row);
    m_volume->setObjectName(QStringLiteral("volume"));
    m_volume->setRange(0, 100);
    m_volume->setValue(100);
    m_volume->setFocusPolicy(Qt::NoFocus);
    m_volume->setFixedWidth(NxScale::px(200, m_scale));
    m_volume->setStyleSheet(m_seek->styleSheet());
    m_volume->setFixedHeight(m_seek->height());

    layout->addWidget(back);
    layout->addStretch(1);
    layout->addWidget(rewind);
    layout->addWidget(m_play);
    layout->addWidget(forward);
    layout->addStretch(1);
    layout->addWidget(m_mute);
    layout->addWidget(m_volume);
    // The right side as wide as the left, so the middle group is centred.
    layout->addSpacing(qMax(0, back->sizeHint().width() - size - m_volume->width() - layout->spacing()));

    connect(back, &QPushButton::clicked, this, &NxLocalPlayerBar::sigBack);
    connect(m_play, &QPushButton::clicked, this, &NxLocalPlayerBar::sigPlayPause);
    connect(rewind, &QPushButton::clicked, this, [this] { emit sigSeekBy(-kSkipSeconds); });
    connect(forward, &QPushButton::clicked, this, [this] { emit sigSeekBy(kSkipSeconds); });
    connect(m_mute, &QPushButton::clicked, this, [this] { emit sigMute(!m_muted); });
    connect(m_volume, &QSlider::valueChanged, this, &NxLocalPlayerBar::sigVolume);
    return row;
}

QPushButton* NxLocalPlayerBar::makeButton(NxPlayerIcons::Kind kind, int size, const char* name)
{
    auto* button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(size, size);
    button->setIcon(NxPlayerIcons::icon(kind, size * 2 / 3));
    button->setIconSize(QSize(size * 2 / 3, size * 2 / 3));
    button->setStyleSheet(QStringLiteral("QPushButton{font-family:Microsoft YaHei;font-size:%1px;color:#FFFFFF;"
                                         "background:rgba(255,255,255,30);border:none;border-radius:%2px;"
                                         "padding:0 %3px;}"
                                         "QPushButton:pressed{background:rgba(255,255,255,110);}")
                              .arg(NxScale::fractional(24, m_scale))
                              .arg(size / 2)
                              .arg(NxScale::px(16, m_scale)));
    return button;
}

void NxLocalPlayerBar::setProgress(double position, double duration)
{
    if (m_seek->isSliderDown())
        return;
    m_seek->setRange(0, qMax(0, int(duration * 1000)));
    m_seek->setValue(int(position * 1000));
    m_elapsed->setText(timeText(position));
    m_total->setText(timeText(duration));
}

void NxLocalPlayerBar::setPaused(bool paused)
{
    const int size = m_play->width() * 2 / 3;
    m_play->setIcon(NxPlayerIcons::icon(paused ? NxPlayerIcons::Play : NxPlayerIcons::Pause, size));
    m_play->setProperty("paused", paused);
}

void NxLocalPlayerBar::setVolume(int percent, bool muted)
{
    m_muted = muted;
    const int size = m_mute->width() * 2 / 3;
    m_mute->setIcon(NxPlayerIcons::icon(muted ? NxPlayerIcons::Mute : NxPlayerIcons::Volume, size));
    m_mute->setProperty("muted", muted);
    const QSignalBlocker quiet(m_volume);
    m_volume->setValue(percent);
}

// Fades the picture toward black under the controls, so white symbols read
// on a bright video.
void NxLocalPlayerBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, QColor(0, 0, 0, 0));
    shade.setColorAt(0.35, QColor(0, 0, 0, 140));
    shade.setColorAt(1, QColor(0, 0, 0, 200));
    painter.fillRect(rect(), shade);
}
