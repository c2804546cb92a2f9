#pragma once

#include "TavoUIElementGlobal.h"

#include <QJsonObject>
#include <QObject>
#include <QPointer>

class NxFileDialog;
class NxLocalPlayer;
class NxLocalVideo;
class QWidget;

// Local videos for the main window: the file dialog for the local-video
// tile and for a stick plugged in while the window is shown, and the
// chosen file played in the product's own player or, when the application
// property "localVideos" says "system", in the program the system
// associates with it (the own player again when there is none).
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
    // A path or "file" address chosen by the teacher; checked on a worker
    // thread, then opened.
    void playLocalFile(const QString& pathOrUrl);

    NxFileDialog* fileDialog() const;
    // The own player while it shows a video.
    NxLocalPlayer* player() const;
    // "name" and "isRemove" of the last USB event.
    QJsonObject uDiskState() const { return m_uDiskState; }
    static QString videoFilter();
    static QStringList videoPatterns();
    static bool usesSystemPlayer();
    // Loads the playback engine on a worker while the teacher is still
    // choosing, so OK is not followed by loading some 250 libraries.
    static void preparePlayer();

signals:
    void sigUserActionLocalChannel();
    // Handed to the system's program, whose window is then watched.
    void sigLocalVideoStarted(QString sFilePath);
    // Shown in the own player; false: it could not be played.
    void sigLocalVideoPlayed(QString sFilePath, bool bSucc);

public slots:
    void slotUDiskStateChanged(QString name, bool remove);

private:
    void openChecked(const NxLocalVideo& video, bool system);
    void playBuiltin(const NxLocalVideo& video);
    void failed(const QString& path);

    QWidget* m_window;
    double m_scale = 1.0;
    QPointer<NxFileDialog> m_fileDialog;
    QPointer<NxLocalPlayer> m_player;
    QJsonObject m_uDiskState;
    QString m_startLocation = QStringLiteral("ID_OPEN_RECENT");
};
