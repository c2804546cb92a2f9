#pragma once

#include "NxCloudFixture.h"
#include "NxControllerManager.h"

#include <QColor>
#include <QSize>

class NxWebCmdCtrl;

// What the channel widgets talk to in a running product: the local cloud on
// 127.0.0.1, a web command client with its picture cache in a private data
// root, and a controller manager that hands the client out.
class NxChannelCloud
{
public:
    explicit NxChannelCloud(const QJsonObject& seed = NxTestCloud::defaultSeed());

    NxTestCloud& cloud();
    NxWebCmdCtrl& client();
    INxControllerManager* manager();
    // Writes a one-colour picture the cloud serves; returns its address.
    QString addPicture(const QString& file, const QColor& colour, const QSize& size = QSize(96, 96));
    // Tile JSON as the main window makes it of the cloud's generated channels
    // ("c", large pictures) or stations ("s", small ones), ids kind + index.
    QJsonArray generatedTiles(const QString& kind, int count) const;

private:
    NxCloudFixture m_fixture;
    NxControllerManager m_manager;
};
