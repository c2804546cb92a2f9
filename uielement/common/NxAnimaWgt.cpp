#include "NxAnimaWgt.h"

#include "NxScale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>

NxAnimaWgt::NxAnimaWgt(QWidget* parent)
    : QDialog(parent)
    , m_scale(NxScale::appFactor())
    , m_movie(new QMovie(QStringLiteral(":/images/ID_LOADING.gif"), QByteArray(), this))
    , m_label(new QLabel(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);

    const QSize side(NxScale::px(80, m_scale), NxScale::px(80, m_scale));
    m_movie->setScaledSize(side);
    m_label->setFixedSize(side);
    m_label->setMovie(m_movie);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
    // A missing animation leaves an empty, still closable window.
    if (m_movie->isValid())
        m_movie->start();
}

QMovie* NxAnimaWgt::movie() const
{
    return m_movie;
}
