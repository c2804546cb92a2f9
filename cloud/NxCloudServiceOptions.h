#pragma once

#include "NxCloudDatabaseAddress.h"

#include <QString>
#include <QtGlobal>

class QCoreApplication;

// The command line of NxCloudService.
class NxCloudServiceOptions
{
public:
    // false with error set for a value that makes no sense.
    bool parse(const QCoreApplication& app, QString* error);

    // SQLite in --data, PostgreSQL for --database, memory otherwise.
    NxCloudDatabaseAddress databaseAddress(QString* error) const;
    // Whether an empty database is filled from the seed: always in memory,
    // elsewhere only when --seed is given.
    bool fillsFromSeed() const;
    // --import, --export or --reset-admin-password: the program changes or
    // moves data and ends.
    bool movesDataOnly() const;

    QString host;
    quint16 port = 0;
    QString seed;
    bool seedGiven = false;
    QString pictures;
    QString media;
    QString dataDir;
    QString databaseUrl;
    QString importFile;
    QString exportFile;
    QString adminPasswordFile;
    bool resetAdminPassword = false;
    int autoConfirmAfter = -1;
    int channels = -1;
    int stations = -1;
    bool logRequests = false;
    QString tlsCertificate;  // both or neither: HTTPS
    QString tlsKey;
};
