#pragma once

#include "NxTestCloud.h"
#include "NxTestEnvironment.h"

#include <memory>

class NxWebCmdCtrl;

// What a client test starts from: a private data root whose channel
// directory the program uses, the local cloud on 127.0.0.1 and, once asked
// for, a web command client talking to it. Ended client first.
class NxCloudFixture
{
public:
    explicit NxCloudFixture(const QJsonObject& seed = NxTestCloud::defaultSeed());
    ~NxCloudFixture();

    NxTestEnvironment& env();
    NxTestCloud& cloud();
    const NxTestCloud& cloud() const;
    QString channelDir() const;
    // A started client that reads the application's settings as they are
    // now; it ends and replaces the one before.
    NxWebCmdCtrl* startClient();
    NxWebCmdCtrl* client() const;
    void stopClient();

private:
    NxTestEnvironment m_env;
    QString m_channelDir;
    NxTestCloud m_cloud;
    std::unique_ptr<NxWebCmdCtrl> m_client;
};
