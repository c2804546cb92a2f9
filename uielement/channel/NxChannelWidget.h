#pragma once

#include "NxBaseChannelWidget.h"
#include "NxPointerTrack.h"

#include <QPixmap>

class NxDelConfirmDialog;
class QLabel;
class QPainter;
class QPropertyAnimation;
class QPushButton;
class QTimer;
class QVBoxLayout;

// One channel on screen: a rounded picture with the channel's name over a
// dark band. A tap opens the channel, a long press offers deletion (own
// channels) or says that the channel cannot be deleted; small marks show
// "added" or "signed in".
class TAVOUIELEMENT_EXPORT NxChannelWidget : public NxBaseChannelWidget
{
    Q_OBJECT

public:
    explicit NxChannelWidget(QWidget* parent = nullptr);

    using NxBaseChannelWidget::renewItem;
    using NxBaseChannelWidget::setItem;
    virtual void setItem(QJsonObject json);
    virtual void renewItem(QJsonObject json);

    QJsonObject getData() const;
    void renewAddMark(bool added);
    void renewLoginMark(bool signedIn);
    void setJsonName();
    // These three take effect at the first setItem.
    void setNameLabelVisable(bool visible);
    void setNameLabelPosition(bool centred);
    void setMarkLabelVisable(bool inset);

    void setPosAnimation(QPoint from, QPoint to);
    void stopPosAnimation();
    void showDelbtn(bool show);
    bool isDelbtnShown() const;

public slots:
    void slotRecvChannelImage(void* pCxt, const QImage& image) override;

signals:
    void sigWidgetClicked(QJsonObject json);
    void sigDelChannel(QJsonObject json);

private slots:
    void slotTimeout();
    void slotDelChannelClicked();
    void slotDoDelChannel();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int px(double design) const;
    // Vertical inset of the picture in the inset layout.
    int insetTop() const;
    QString name() const;
    void loadPicture();
    QRect pictureArea() const;
    // Pictures are kept at this size (empty: as they come), so the full
    // decode is not kept once the picture cache lets it go.
    QSize pictureTarget() const;
    void buildLayout();
    void addNameLabel(QVBoxLayout* layout);
    void showName();
    void showMark(const QString& picture);
    void showAddMark(bool added);
    void updateContentSize();
    void composeFace();
    void drawBand(QPainter& painter, const QRect& area, const QString& picture) const;
    QWidget* createDelOverlay();

    QJsonObject m_data;
    QImage m_image;
    QLabel* m_nameLabel = nullptr;
    QLabel* m_markLabel = nullptr;
    QWidget* m_delWidget = nullptr;
    QPushButton* m_delButton = nullptr;
    NxDelConfirmDialog* m_confirmDialog = nullptr;
    QPropertyAnimation* m_posAnimation = nullptr;
    double m_scale = 1.0;

    bool m_nameVisible = true;
    bool m_nameCentred = true;
    bool m_inset = false;
    bool m_contentShrunk = false;
    bool m_delShown = false;
    bool m_delShownElsewhere = false;
    bool m_deletable = false;
    bool m_initialised = false;

    int m_contentWidth = 0;
    int m_contentHeight = 0;
    NxPointerTrack m_press;
    QTimer* m_longPressTimer = nullptr;

    // The painted face, composed once per picture, name and size, so that
    // scrolling a long page only copies pixels.
    QPixmap m_face;
    bool m_faceDirty = true;
};
