#include "NxFileDialogFixture.h"

#include "NxFileDialog.h"
#include "NxPlatform.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include "NxMessageWidget.h"

void NxFakeDrives::add(const QString& root, Type type, bool usb)
{
    if (!m_order.contains(root))
        m_order.append(root);
    m_types.insert(root, type);
    if (usb)
        m_usb.insert(root);
}

void NxFakeDrives::remove(const QString& root)
{
    m_order.removeAll(root);
    m_types.remove(root);
    m_usb.remove(root);
}

NxDialogDriver::NxDialogDriver(NxFileDialog* dialog)
    : m_dialog(dialog)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &NxDialogDriver::poll);
}

void NxDialogDriver::start()
{
    m_ticks = 0;
    m_timer.start();
}

void NxDialogDriver::poll()
{
    ++m_ticks;
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* message = qobject_cast<NxMessageWidget*>(modal)) {
        const QLabel* text = message->findChild<QLabel*>(QStringLiteral("declbl"));
        messages.append(text ? text->text() : QString());
        if (m_look)
            m_look(message);
        (m_answerOk ? message->getOKBtn() : message->getCancelBtn())->click();
        return;
    }
    if (m_ticks > 500) {
        qWarning("NxDialogDriver: the dialog is still up after 10 s; closing it");
        if (modal)
            static_cast<QDialog*>(modal)->reject();
        m_dialog->reject();
        m_timer.stop();
        return;
    }
    if (modal != m_dialog || !m_dialog->isVisible())
        return;
    // Run outside this slot: a step that opens a message box nests an event
    // loop, and the poll timer does not fire again inside its own slot.
    if (!m_steps.isEmpty() && !m_stepRunning) {
        m_stepRunning = true;
        QTimer::singleShot(0, this, [this, step = m_steps.takeFirst()] {
            step();
            m_stepRunning = false;
        });
    }
}

NxReadOnlyFolder::NxReadOnlyFolder(const QString& path)
    : m_path(path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (!isReadOnly())
        m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
}

NxReadOnlyFolder::~NxReadOnlyFolder()
{
    if (m_immutable)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool NxReadOnlyFolder::isReadOnly() const
{
    QFile probe(m_path + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}

NxFileWorld::NxFileWorld()
{
    NxPlatform::setDrives(&drives);
    NxPlatform::setShell(&shell);
}

NxFileWorld::~NxFileWorld()
{
    NxPlatform::setDrives(nullptr);
    NxPlatform::setShell(nullptr);
}

QString NxFileWorld::path(const QString& relative) const
{
    return m_dir.path() + QLatin1Char('/') + relative;
}

QString NxFileWorld::touch(const QString& relative, const QByteArray& data)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return full;
}

QString NxFileWorld::picture(const QString& relative, int width, int height, const QColor& colour)
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    // A sun and a hill, so the pictures read as pictures in the screens.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int dx = x - width * 3 / 4, dy = y - height / 4;
            if (dx * dx + dy * dy < (height / 7) * (height / 7))
                image.setPixel(x, y, qRgb(255, 220, 90));
            else if (y > height * 2 / 3 - (x * (width - x)) / (width * 3))
                image.setPixel(x, y, QColor(colour).darker(140).rgb());
        }
    image.save(full);
    return full;
}
