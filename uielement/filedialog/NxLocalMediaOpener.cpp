#include "NxLocalMediaOpener.h"

#include "INxShell.h"
#include "NxCloudUtils.h"
#include "NxFileDialog.h"
#include "NxPlatform.h"
#include "NxToolTipHelp.h"

#include <QDebug>
#include <QJsonArray>
#include <QWidget>

NxLocalMediaOpener::NxLocalMediaOpener(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

QString NxLocalMediaOpener::videoFilter()
{
    const QStringList entries{
        QStringLiteral("All files(%1)").arg(QStringLiteral("*.wmv *.avi *.mov *.mpeg *.mpg *.rm *.asf *.mp4 *.flv *.mkv *.vob *.swf"))};
    return entries.join(QStringLiteral(";;"));
}

NxFileDialog* NxLocalMediaOpener::createFileDialog(QWidget* parent, double scale)
{
    if (m_fileDialog)
        return m_fileDialog;
    QMap<QString, QVariant> params{{QStringLiteral("scalefactor"), scale}};
    m_fileDialog = new NxFileDialog(params, parent);
    connect(m_window, SIGNAL(signalUDiskStateChanged(QString, bool)), m_fileDialog, SLOT(slotUDiskStateChanged(QString, bool)));
    connect(m_window, SIGNAL(signalUDiskStateChanged(QString, bool)), this, SLOT(slotUDiskStateChanged(QString, bool)));
    return m_fileDialog;
}

void NxLocalMediaOpener::openLocalFile()
{
    emit sigUserActionLocalChannel();
    if (!m_fileDialog) {
        qWarning() << "NxLocalMediaOpener::openLocalFile no file dialog created";
        return;
    }
    // A stick plugged in while the dialog is up moves the dialog itself.
    if (m_fileDialog->isVisible())
        return;
    const QJsonArray disks = NxCloudUtils::getUsbDisk();
    m_startLocation = disks.isEmpty() ? QStringLiteral("ID_DESKTOP")
                                      : disks.first().toObject().value(QStringLiteral("name")).toString();
    const QString path = m_fileDialog->GetOpenFilePath(nullptr, EnumResType(11), QStringLiteral("ID_LOCAL_VIDEO"),
                                                       m_startLocation, videoFilter());
    if (path.isEmpty())
        return;
    // With no player for the file the teacher would otherwise see nothing happen.
    const auto noPlayer = [] { NxToolTipHelp::Instance().setMesseage(tr("ID_NO_PROGRAM_TO_OPEN")); };
    if (NxPlatform::shell()->open(path, INxShell::Show::Maximized, this, noPlayer)) {
        emit sigLocalVideoStarted(path);
    } else {
        qWarning() << "NxLocalMediaOpener::openLocalFile the system could not open" << path;
        noPlayer();
    }
}

void NxLocalMediaOpener::slotUDiskStateChanged(QString name, bool remove)
{
    m_uDiskState = {{QStringLiteral("name"), name}, {QStringLiteral("isRemove"), remove}};
    if (!remove && m_window->isVisible())
        openLocalFile();
}
