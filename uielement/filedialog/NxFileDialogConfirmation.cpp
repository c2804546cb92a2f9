#include "NxFileDialogConfirmation.h"

#include "NxFileDialogCloud.h"
#include "NxFileDialogHistory.h"
#include "NxFileDialogListing.h"
#include "NxFileDialogView.h"
#include "NxFilePlaces.h"
#include "NxMessageWidget.h"
#include "NxRecentFiles.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QTemporaryFile>

NxFileDialogConfirmation::NxFileDialogConfirmation(QWidget* dialog, double scale, const NxFileDialogView* view,
                                                   const NxFileDialogHistory& history,
                                                   const NxFileDialogListing& listing)
    : m_dialog(dialog)
    , m_scale(scale)
    , m_view(view)
    , m_history(history)
    , m_listing(listing)
{
}

NxFileDialogConfirmation::Choice NxFileDialogConfirmation::open(const QString& text, bool multiSelect,
                                                                bool exactRow) const
{
    const QStringList names = multiSelect ? text.split(QLatin1Char('/'), Qt::SkipEmptyParts) : QStringList{text};
    Choice choice;
    QList<NxRecentFiles::Entry> recents;
    QList<int> rows = chosenRows(exactRow);
    for (const QString& typed : names.isEmpty() ? QStringList{QString()} : names) {
        const QString problem = nameProblem(typed);
        if (!problem.isEmpty())
            return refuse(problem);
        HistoryDir folder = m_history.chosen();
        QString name = typed;
        if (const NxFileEntry* listed = findListed(typed, rows)) {
            folder = {listed->pass, listed->path, listed->netId};
            name = listed->name;
        }
        const QString full = NxFilePlaces::fullPath(folder.strPass, folder.strPath + QLatin1Char('/') + name);
        if (QFileInfo(name).suffix().isEmpty() || !QFileInfo(full).isFile())
            return refuse(QStringLiteral("ID_RES_FILEISNOTEXIT"));
        // The caller hands the file to the shell: setup.exe must not pass as a video.
        if (!m_listing.matches(name)) {
            qDebug() << "NxFileDialogConfirmation::open" << name << "is outside the filter" << m_listing.patterns();
            choice.outcome = Choice::OutsideFilter;
            return choice;
        }
        choice.paths.append(full);
        recents.append({folder.strPass, folder.strPath, name, folder.strNetId, QString(), m_listing.recentType()});
    }
    for (const NxRecentFiles::Entry& entry : recents)
        NxRecentFiles::instance().add(entry);
    choice.outcome = Choice::Chosen;
    return choice;
}

NxFileDialogConfirmation::Choice NxFileDialogConfirmation::save(const QString& text, bool checkFolder) const
{
    const QString problem = nameProblem(text);
    if (!problem.isEmpty())
        return refuse(problem);
    const HistoryDir target = m_history.saveFolder();
    const QString folder = NxFilePlaces::fullPath(target.strPass, target.strPath);
    if (checkFolder && !QFileInfo(folder).isDir())
        return refuse(QStringLiteral("ID_RES_FILEISNOTEXIT"));
    if (!isFolderWritable(folder))
        return refuse(QStringLiteral("ID_FILE_SAVE_DISK_READONLY"));
    const QString full = folder + QLatin1Char('/') + withSuffix(text);
    Choice choice;
    if (QFileInfo::exists(full) && !tell(QStringLiteral("ID_RES_FILEEXIT"), true))
        return choice;
    choice.outcome = Choice::Chosen;
    choice.paths = QStringList{full};
    return choice;
}

NxFileDialogConfirmation::Choice NxFileDialogConfirmation::fetch(const QString& text, bool exactRow,
                                                                 const NxFileDialogCloud& cloud) const
{
    const QString problem = nameProblem(text);
    if (!problem.isEmpty())
        return refuse(problem);
    if (!cloud.isSignedIn())
        return refuse(QStringLiteral("ID_SYSTEM_HELP_FEEDBACK_NOUSER"));
    QList<int> rows = chosenRows(exactRow);
    const NxFileEntry* listed = findListed(text, rows);
    Choice choice;
    choice.cloudFile = listed ? cloud.fileById(listed->netId) : CloudFile();
    if (choice.cloudFile.id.isEmpty())
        return refuse(QStringLiteral("ID_RES_FILEISNOTEXIT"));
    choice.outcome = Choice::Fetch;
    choice.cloudName = listed->name;
    return choice;
}

QString NxFileDialogConfirmation::nameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("ID_RES_SELECTFILE");
    for (QChar c : QStringLiteral(":?\"\\/*<>|")) {
        if (name.contains(c))
            return QStringLiteral("ID_RES_SPECIAL");
    }
    return QString();
}

QString NxFileDialogConfirmation::withSuffix(const QString& name) const
{
    if (!QFileInfo(name).suffix().isEmpty())
        return name;
    const QString pattern = m_listing.patterns().value(0);
    const QString suffix = pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QString();
    return suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ? name : name + QLatin1Char('.') + suffix;
}

QList<int> NxFileDialogConfirmation::chosenRows(bool exactRow) const
{
    // A double tap names one row exactly: the folder it came with.
    return exactRow || !m_view->isShowingEntries() ? QList<int>() : m_view->currentMode()->selectedIndexes();
}

const NxFileEntry* NxFileDialogConfirmation::findListed(const QString& name, QList<int>& rows) const
{
    if (!m_view->isShowingEntries())
        return nullptr;
    const NxFileEntries entries = m_view->entries();
    const bool bare = QFileInfo(name).suffix().isEmpty();
    const auto stands = [&](const NxFileEntry& entry) {
        return !entry.isDir && (entry.name == name || (bare && QFileInfo(entry.name).completeBaseName() == name));
    };
    for (int i = 0; i < rows.size(); ++i) {
        const NxFileEntry& entry = entries->at(rows.at(i));
        if (stands(entry)) {
            rows.removeAt(i);
            return &entry;
        }
    }
    const HistoryDir& chosen = m_history.chosen();
    const NxFileEntry* first = nullptr;
    for (const NxFileEntry& entry : *entries) {
        if (!stands(entry))
            continue;
        if (entry.pass == chosen.strPass && entry.path == chosen.strPath)
            return &entry;
        if (!first)
            first = &entry;
    }
    return first;
}

// A probe of our own name, so no file of the teacher's is ever touched.
bool NxFileDialogConfirmation::isFolderWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/test_XXXXXX.txt"));
    return probe.open();
}

NxFileDialogConfirmation::Choice NxFileDialogConfirmation::refuse(const QString& key) const
{
    showError(key);
    return Choice();
}

void NxFileDialogConfirmation::showError(const QString& key) const
{
    qDebug() << "NxFileDialogConfirmation::showError" << key;
    tell(key, false);
}

bool NxFileDialogConfirmation::tell(const QString& key, bool question) const
{
    NxMessageWidget message(m_dialog, m_scale, 2, true);
    message.setCloseBtnPixName(QStringLiteral(":/rc/icon/pop_top_close"));
    message.setTitleText(QCoreApplication::translate("NxFileDialog", "ID_MEDIA_EXPORT_FAIL_TIP"));
    if (!question)
        message.setCancelBtnVisible(false);
    message.setMessageInfo(QString(), QString(), QCoreApplication::translate("NxFileDialog", key.toUtf8().constData()));
    return message.exec() == QDialog::Accepted;
}
