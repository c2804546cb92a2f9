#pragma once

#include "TavoUIElementGlobal.h"

#include <QDialog>
#include <QList>
#include <QPixmap>

class NxPixmapLabel;
class NxPushButton;
class QLabel;
class QPushButton;
class QTextEdit;
class QVBoxLayout;

// A general message dialog: title bar, content area and an OK/Cancel bar on
// a white panel with a soft drawn shadow. The message flag picks the
// arrangement: 2 (default) title, content, space or stretch, buttons;
// 3 without buttons; 1 growing up to 400 design pixels; 0 empty.
class TAVOUIELEMENT_EXPORT NxMessageWidget : public QDialog
{
    Q_OBJECT

public:
    NxMessageWidget(QWidget* parent, double scale, int messageFlag, bool showBottomSpace);

    void setMessageInfo(const QString& pixmapPath, const QString& text);
    void setMessageInfo(const QString& pixmapPath, const QString& title, const QString& description);
    void setMessageError(const QString& pixmapPath, const QString& text, const QStringList& details);
    void setContentWidget(QWidget* w);
    QWidget* getContentWidget() const;

    void setTitleText(const QString& text);
    QString getTitleText() const;
    void setTitleLogo(const QPixmap& logo);
    QPixmap getTitleLogo() const;
    void setCloseBtnPixName(const QString& name);
    void setMinBtnPixName(const QString& name);

    void setOkBtnText(const QString& text);
    void setCancelText(const QString& text);
    void setOKBtnVisible(bool on);
    void setCancelBtnVisible(bool on);
    QPushButton* getOKBtn() const;
    QPushButton* getCancelBtn() const;
    QList<QPushButton*> getActionButtons() const;
    void setBottomSpaceVisible(bool on);
    void setBorderIsRounded(bool on);
    void setMessageFlag(int flag);

    int shadowWidth() const;

signals:
    void sigOK();
    void sigCancle();
    void sigReturnKeyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void slotOkClicked();
    void slotCancelClicked();

private:
    int px(double design) const;
    void initTitleBar();
    void initButtonBar();
    QPushButton* createActionButton(const QString& objectName, const QString& text, const QString& sheet);
    void styleBars();
    void shape();
    void clearMainLayout();
    void addBottomSpaceOrStretch();
    void updateButtonBar();
    void fitHeightToContent();
    int contentWidth() const;
    QWidget* createContentColumn(const QMargins& margins, int spacing);
    NxPixmapLabel* createPixmapLabel(QWidget* parent, const QString& pixmapPath, const QString& text, int spacing) const;
    int freeContentHeight() const;
    QTextEdit* createDetailsBox(QWidget* parent) const;
    void fillDetails(QTextEdit* info, const QStringList& lines) const;

    QWidget* m_contentWidget = nullptr;
    QVBoxLayout* m_mainLayout = nullptr;
    QLabel* m_titleBar = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_logoLabel = nullptr;
    NxPushButton* m_closeBtn = nullptr;
    NxPushButton* m_minBtn = nullptr;
    QWidget* m_contentArea = nullptr;
    QWidget* m_parent = nullptr;
    QWidget* m_buttonBar = nullptr;
    QPushButton* m_okBtn = nullptr;
    QPushButton* m_cancelBtn = nullptr;
    QLabel* m_bottomSpace = nullptr;
    bool m_roundedBorder = true;
    bool m_okVisible = true;
    bool m_cancelVisible = true;
    bool m_dragging = false;
    int m_pressX = 0;
    int m_pressY = 0;
    bool m_showBottomSpace = false;
    int m_shadowWidth = 0;
    // Drawn with its shadow on a see-through window.
    bool m_translucent = true;
    int m_messageFlag = 2;
    double m_scale = 1.0;
    QList<QPushButton*> m_actionButtons;
};
