#pragma once

#include <QObject>

class tst_NxWin32Platform : public QObject
{
    Q_OBJECT

private slots:
    void associationsNameTheProgramsOfASuffix();
    void ownWindowIsFoundShownMaximisedAndActivated();
    void systemDriveIsAFixedNonUsbDrive();
    void processesAreListedAndEnded();
};
