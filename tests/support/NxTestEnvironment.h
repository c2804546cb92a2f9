#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

// A private world for one test: the data root, the temporary directory and
// the session runtime directory all point into one temporary directory, so
// tests never touch the user's files and never meet each other's instances.
class NxTestEnvironment
{
public:
    NxTestEnvironment();
    ~NxTestEnvironment();

    QString path() const;
    QString dataRoot() const;
    QString tempDir() const;
    QString runtimeDir() const;
    // Makes <data root>/channel and hands it to the program as the
    // application's "channelDir"; returns it.
    QString useChannelDir();

    // xdg-open with no display, no desktop environment and no mailcap: it
    // hands every document and address to browser, a program of the test,
    // and fails as with nothing installed when browser is empty.
    void useBareDesktop(const QString& browser = QString());

    // Writes an ini file; keys are "group/key".
    static bool writeIni(const QString& filePath, const QMap<QString, QVariant>& values);

private:
    QTemporaryDir m_dir;
    QMap<QByteArray, QByteArray> m_saved;
    void setVariable(const char* name, const QString& value); // a null value unsets it
};
