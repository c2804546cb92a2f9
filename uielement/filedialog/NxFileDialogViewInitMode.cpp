#include "NxFileDialogViewInitMode.h"

#include "NxScale.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QVBoxLayout>

NxFileDialogViewInitMode::NxFileDialogViewInitMode(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("initpicture"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("initprompt"));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    m_text->setStyleSheet(QStringLiteral("QLabel{font: %1px 'Microsoft YaHei'; color:#999999;}").arg(NxScale::px(16, scale)));
    m_login = new QPushButton(QCoreApplication::translate("NxFileDialog", "ID_LOGIN"), this);
    m_login->setObjectName(QStringLiteral("loginbtn"));
    m_login->setFixedSize(NxScale::px(120, scale), NxScale::px(40, scale));
    m_login->setStyleSheet(QStringLiteral("QPushButton{background:#666EDC; color:#ffffff; border:none; border-radius:%1px;"
                                          " font: %2px 'Microsoft YaHei';} QPushButton:pressed{background:#575FCB;}")
                               .arg(NxScale::px(4, scale))
                               .arg(NxScale::px(16, scale)));
    connect(m_login, &QPushButton::clicked, this, &NxFileDialogViewInitMode::sgl_Login);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(NxScale::px(16, scale));
    layout->addStretch(1);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    layout->addWidget(m_text);
    layout->addWidget(m_login, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    showMessage(QString());
}

void NxFileDialogViewInitMode::showMessage(const QString& text, const QString& picture, bool login)
{
    m_picture->setMovie(nullptr);
    m_picture->setPixmap(picture.isEmpty() ? QPixmap()
                                           : QPixmap(picture).scaled(NxScale::px(120, m_scale), NxScale::px(90, m_scale),
                                                                     Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_picture->setVisible(!picture.isEmpty());
    m_text->setText(text);
    m_login->setVisible(login);
}

void NxFileDialogViewInitMode::showWaiting(QMovie* movie, const QString& text)
{
    showMessage(text);
    m_picture->setMovie(movie);
    m_picture->setVisible(true);
    movie->start();
}

QString NxFileDialogViewInitMode::message() const
{
    return m_text->text();
}
