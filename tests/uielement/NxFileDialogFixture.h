#pragma once

#include "INxDrives.h"
#include "INxShell.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

class NxFileDialog;
class NxMessageWidget;
class QWidget;

// Drives of a test: directories standing for fixed disks and USB sticks.
class NxFakeDrives : public INxDrives
{
public:
    QStringList roots() override { return m_order; }
    Type type(const QString& root) override { return m_types.value(root, Type::NoRootDir); }
    QString driveName(const QString& root) override { return root; }
    QString devicePath(const QString& drive) override { return drive; }
    bool isUsbDevice(const QString& devicePath) override { return m_usb.contains(devicePath); }

    void add(const QString& root, Type type, bool usb);
    void remove(const QString& root);

private:
    QStringList m_order;
    QMap<QString, Type> m_types;
    QSet<QString> m_usb;
};

// A shell that records what it was asked to open.
class NxRecordingShell : public INxShell
{
public:
    bool open(const QString& target, Show show, QObject*, const Failure&) override
    {
        opened.append(target);
        maximised = show == Show::Maximized;
        return true;
    }
    bool startProgram(const QString&, const QString&, Show) override { return false; }
    QString onScreenKeyboard() const override { return QString(); }

    QStringList opened;
    bool maximised = false;
};

// Drives a modal file dialog from inside its event loop: runs the steps
// one by one while it is up, answers message boxes (recording their text)
// and ends everything after a time-out so no test can hang.
class NxDialogDriver : public QObject
{
    Q_OBJECT

public:
    explicit NxDialogDriver(NxFileDialog* dialog);

    void addStep(std::function<void()> step) { m_steps.append(step); }
    // Answer of the next message boxes: true presses OK, false Cancel.
    void setAnswer(bool ok) { m_answerOk = ok; }
    // Called with each message box before it is answered.
    void onMessage(std::function<void(NxMessageWidget*)> look) { m_look = look; }
    void start();

    QStringList messages;

private slots:
    void poll();

private:
    NxFileDialog* m_dialog;
    QList<std::function<void()> > m_steps;
    bool m_answerOk = true;
    std::function<void(NxMessageWidget*)> m_look;
    QTimer m_timer;
    int m_ticks = 0;
    bool m_stepRunning = false;
};

// A folder nobody may create files in while this lives, root included
// (an immutable directory then).
class NxReadOnlyFolder
{
public:
    explicit NxReadOnlyFolder(const QString& path);
    ~NxReadOnlyFolder();
    bool isReadOnly() const;

private:
    QString m_path;
    bool m_immutable = false;
};

// Folders and files of a test world: a desktop, a disk and sticks.
class NxFileWorld
{
public:
    NxFileWorld();
    ~NxFileWorld();

    QString path(const QString& relative) const;
    // Creates the file (and its folder) with some bytes.
    QString touch(const QString& relative, const QByteArray& data = QByteArray("x"));
    QString picture(const QString& relative, int width, int height, const QColor& colour);

    NxFakeDrives drives;
    NxRecordingShell shell;

private:
    QTemporaryDir m_dir;
};
