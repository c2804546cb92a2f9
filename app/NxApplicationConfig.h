#pragma once

#include <QObject>
#include <QString>

class INxNetWorkManager;
class QTranslator;

// Reads version.ini, works out the scale of the interface, prepares the data
// directories and translations, and publishes everything other libraries need
// as dynamic properties of the application object.
class NxApplicationConfig : public QObject
{
    Q_OBJECT

public:
    explicit NxApplicationConfig(QObject* parent);

    INxNetWorkManager* networkManager() const;
    void loadLanguage(const QString& language);

    static int readNeedLog();
    static QString versionIniPath();
    // Available width of the primary screen → interface scale.
    static double scaleFactorForWidth(int width);
    // Sets the version.ini properties on the application object.
    static void publishVersionInfo(const QString& iniPath);
    // [Player] LocalVideos: "builtin" (the product's own player) or
    // "system" (the associated program); anything else: this system's default.
    static QString localVideoPlayer(const QString& configured);

private:
    void prepareDataDirectories();
    void computeScale();
    void resetTempDir();
    void resolveEnvironmentDir();
    void initTranslations();
    void initNetworkManager();

    double m_scaleFactor = 1.0;
    QString m_environmentDir;
    QString m_appName;
    QTranslator* m_qtTranslator = nullptr;
    QTranslator* m_appTranslator = nullptr;
    INxNetWorkManager* m_networkManager = nullptr;
};
