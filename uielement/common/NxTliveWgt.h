#pragma once

#include "NxCommonDialogEffect.h"

#include <QEvent>
#include <QList>

class NxTmyEdit;
class QLabel;
class QPushButton;
class QStackedWidget;

// The live-code panel: an on-screen keypad, the code edit and a red prompt
// for an empty or undeletable code. OK hands the code on by signLivingCode.
class TAVOUIELEMENT_EXPORT NxTliveWgt : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    explicit NxTliveWgt(QWidget* parent);

signals:
    void signLivingCode(QString code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    void on_button_enter_clicked();
    void on_button_return_clicked();
    void onButtonNumClick();
    void slotEditChar(QString input);

private:
    void initUi();
    QWidget* createTitleRow(QWidget* parent);
    QWidget* createCodeArea(QWidget* parent);
    QWidget* createKeypad(QWidget* parent);
    QPushButton* createKey(QWidget* parent, const QString& text, const QString& sheet);
    // Removes the character before the cursor; false when there is none,
    // which shows the prompt. removedFirst tells that it was the first one.
    bool deleteBeforeCursor(bool& removedFirst);
    void showPrompt(bool on);
    void sendToOk(QEvent::Type type);

    QWidget* m_background = nullptr;
    QLabel* m_title = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLabel* m_blank = nullptr;
    QLabel* m_prompt = nullptr;
    NxTmyEdit* m_edit = nullptr;
    double m_scale = 1.0;
    QList<QPushButton*> m_digits;
    QPushButton* m_delete = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_close = nullptr;
};
