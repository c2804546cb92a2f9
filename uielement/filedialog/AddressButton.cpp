#include "AddressButton.h"

#include "NxCloudUtils.h"
#include "NxScale.h"

AddressButton::AddressButton(QWidget* parent, double scale, const QString& caption, const QString& pass,
                             const QString& path, const QString& netId)
    : QPushButton(parent)
    , m_pass(pass)
    , m_path(path)
    , m_netId(netId)
{
    setObjectName(QStringLiteral("addressbtn"));
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    QFont captionFont(QStringLiteral("Microsoft YaHei"));
    captionFont.setPixelSize(NxScale::px(14, scale));
    setFont(captionFont);
    setStyleSheet(QStringLiteral("QPushButton#addressbtn{border:none; background:transparent; color:#666666; padding:0 %1px;}"
                                 "QPushButton#addressbtn:hover, QPushButton#addressbtn:pressed{color:#666EDC;}")
                      .arg(NxScale::px(4, scale)));
    const QString shown = NxCloudUtils::strFarmat(caption, NxScale::px(500, scale), captionFont);
    setText(shown);
    setToolTip(caption);
    setFixedSize(fontMetrics().horizontalAdvance(shown) + NxScale::px(12, scale), NxScale::px(40, scale));
    connect(this, &QPushButton::clicked, this, [this] { emit sgl_ChangePath(m_pass, m_path, m_netId); });
}
