#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>

class NxFileDialog;
class QWidget;

// Local videos for the main window: the file dialog for the local-video
// tile and for a stick plugged in while the window is shown, and the
// chosen file opened in the program the system associates with it.
class TAVOUIELEMENT_EXPORT NxLocalMediaOpener : public QObject
{
    Q_OBJECT

public:
    // window: the main window, which carries signalUDiskStateChanged(QString, bool).
    explicit NxLocalMediaOpener(QWidget* window);

    // Creates the dialog once, as a child of parent, and routes the
    // window's USB signal first to the dialog, then to this object.
    NxFileDialog* createFileDialog(QWidget* parent, double scale);
    void openLocalFile();

    NxFileDialog* fileDialog() const { return m_fileDialog; }
    // "name" and "isRemove" of the last USB event.
    QJsonObject uDiskState() const { return m_uDiskState; }
    static QString videoFilter();

signals:
    void sigUserActionLocalChannel();
    void sigLocalVideoStarted(QString sFilePath);

public slots:
    void slotUDiskStateChanged(QString name, bool remove);

private:
    QWidget* m_window;
    QPointer<NxFileDialog> m_fileDialog;
    QJsonObject m_uDiskState;
    QString m_startLocation = QStringLiteral("ID_OPEN_RECENT");
};
