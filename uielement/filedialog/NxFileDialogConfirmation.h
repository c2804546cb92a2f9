#pragma once

#include "NxFileDialogTypes.h"

#include <QList>
#include <QStringList>

class NxFileDialogCloud;
class NxFileDialogHistory;
class NxFileDialogListing;
class NxFileDialogView;
class QWidget;

// What OK makes of the names in the file dialog's name box: each checked,
// matched to a row listed and turned into the files opened (and recorded
// as recent), the file saved to (asked before one is overwritten) or the
// cloud file to fetch. Whatever is wrong is told in a message box.
class NxFileDialogConfirmation
{
public:
    struct Choice {
        enum Outcome { Refused, OutsideFilter, Chosen, Fetch } outcome = Refused;
        QStringList paths;
        CloudFile cloudFile;
        QString cloudName;
    };

    NxFileDialogConfirmation(QWidget* dialog, double scale, const NxFileDialogView* view,
                             const NxFileDialogHistory& history, const NxFileDialogListing& listing);

    // exactRow: the names come from a double tap on one row, not the rows
    // tapped before.
    Choice open(const QString& text, bool multiSelect, bool exactRow) const;
    // checkFolder: the folder must exist, not only be writable.
    Choice save(const QString& text, bool checkFolder) const;
    Choice fetch(const QString& text, bool exactRow, const NxFileDialogCloud& cloud) const;

    void showError(const QString& key) const;

private:
    // The translation key of what is wrong with the name; empty when fine.
    static QString nameProblem(const QString& name);
    QString withSuffix(const QString& name) const;
    QList<int> chosenRows(bool exactRow) const;
    // The listed file a typed name stands for (a name without suffix stands
    // for a file of that base name): a chosen row first, taken out of rows
    // (rows of the recent list may share a name), then one in the folder
    // tapped last, then the first; null when none.
    const NxFileEntry* findListed(const QString& name, QList<int>& rows) const;
    static bool isFolderWritable(const QString& folder);
    // A message box over the dialog; a question has a cancel button, and
    // true means OK.
    bool tell(const QString& key, bool question) const;
    Choice refuse(const QString& key) const;

    QWidget* m_dialog;
    double m_scale;
    const NxFileDialogView* m_view;
    const NxFileDialogHistory& m_history;
    const NxFileDialogListing& m_listing;
};
