#pragma once

#include "TavoUIElementGlobal.h"

#include <QPixmap>
#include <QWidget>

class NxAccessToolBarWidget;
class QLabel;

// The floating popup with the sign-in QR code; it goes away as soon as
// another window becomes active.
class TAVOUIELEMENT_EXPORT NxQRCodeLogin : public QWidget
{
    Q_OBJECT

public:
    NxQRCodeLogin(NxAccessToolBarWidget* parent, double scale);

    void showPicture(const QPixmap& picture);
    QPixmap picture() const;

signals:
    // However it went: toggled, another window active, signed in.
    void sigHidden();

public slots:
    void sltShareFileCodeUrl(QString url);

protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int px(double design) const;

    double m_scale;
    QWidget* m_content = nullptr;
    QLabel* m_qrLabel = nullptr;
    QLabel* m_caption = nullptr;
};
