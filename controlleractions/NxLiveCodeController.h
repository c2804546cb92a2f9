#pragma once

#include "INxLiveCodeController.h"
#include "NxRequestAttempt.h"

#include <QObject>
#include <QPointer>
#include <QString>

class INxLivePlayerController;
class INxWebCommandController;
class NxAnimaWgt;
class NxTliveWgt;
class QTimer;
class QWidget;

// Takes a live code from the teacher and starts its stream; every failure
// ends in the notice window, whose closing brings the keypad back.
class NxLiveCodeController : public QObject, public INxLiveCodeController
{
    Q_OBJECT
    Q_INTERFACES(INxLiveCodeController)

public:
    explicit NxLiveCodeController(QObject* parent = nullptr);

    QObject* getObject() override;
    void showLiveCodeInput(QWidget* parent) override;
    int showLiveCodeFailure(QWidget* parent) override;
    void setWebCommandCtrl(INxWebCommandController* ctrl) override;
    void setLivePlayerCtrl(INxLivePlayerController* player) override;

private slots:
    void slotPlayerStarted(bool bSucc);
    void slotNetworkTimeout();
    void slotLivingCode(QString date);
    void slotLivingCodeDate(void* pCxt, int iResult, QString sURl);

private:
    void createPanel();
    void closePanels();
    void fail();
    static void centreIn(QWidget* window, const QWidget* parent);

    INxWebCommandController* m_webCommand = nullptr;
    INxLivePlayerController* m_player = nullptr;
    QPointer<QWidget> m_parent;
    QPointer<NxTliveWgt> m_panel;
    QPointer<NxAnimaWgt> m_waiting;
    QTimer* m_answerTimer;
    NxRequestAttempt m_attempt;
};
