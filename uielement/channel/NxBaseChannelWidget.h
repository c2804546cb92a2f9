#pragma once

#include "TavoUIElementGlobal.h"

#include <QImage>
#include <QJsonObject>
#include <QPointer>
#include <QWidget>

class INxControllerManager;
class INxWebCommandController;
class NxChannelImageRouter;

// What every channel tile shares: the controllers, and the download of the
// tile's picture, answered to the tile by its context pointer.
class TAVOUIELEMENT_EXPORT NxBaseChannelWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NxBaseChannelWidget(QWidget* parent = nullptr);
    ~NxBaseChannelWidget() override;

    virtual void setControlManager(INxControllerManager* mgr);
    virtual void setItem(QJsonObject json, QWidget* ctx);
    virtual void renewItem(QJsonObject json, QWidget* ctx);

public slots:
    // A downloaded picture; pCxt tells whose it is.
    virtual void slotRecvChannelImage(void* pCxt, const QImage& image);

protected:
    INxControllerManager* controlManager() const;

private:
    void requestImage(const QJsonObject& json, QWidget* ctx);

    INxControllerManager* m_controlManager = nullptr;
    INxWebCommandController* m_webCommand = nullptr;
    QPointer<NxChannelImageRouter> m_router;
};
