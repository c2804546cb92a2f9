#pragma once

#include "TavoWebCommandGlobal.h"

#include <QJsonObject>
#include <QObject>

class NxWebCmdCtrl;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QUrl;

// Sends the HTTP requests of the cloud client; lives on its worker thread.
class TAVOWEBCOMMAND_EXPORT NxWebCommand : public QObject
{
    Q_OBJECT

public:
    explicit NxWebCommand(NxWebCmdCtrl* controller);
    ~NxWebCommand() override;

    QNetworkReply* get(const QString& url);
    QNetworkReply* postJson(const QString& url, const QJsonObject& body);
    QNetworkReply* postForm(const QString& url, const QByteArray& body);

    // A reply body above maxBodyBytes is aborted, a transfer idle for
    // transferTimeoutMs is ended, and so is any exchange still running after
    // exchangeTimeoutMs: each then counts as a failed exchange.
    static void setLimits(qint64 maxBodyBytes, int transferTimeoutMs, int exchangeTimeoutMs = 120000);
    static qint64 maxBodyBytes();
    static int transferTimeoutMs();
    static int exchangeTimeoutMs();
    // The body outgrew the limit, even if it arrived before the abort could.
    static bool isOversized(QNetworkReply* reply);
    // An address fit for the log: queries carry sign-in codes and signatures.
    static QString logUrl(const QUrl& url);

private:
    QNetworkRequest request(const QString& url) const;
    QNetworkReply* track(QNetworkReply* reply);
    QNetworkAccessManager* manager();
    void logSupport() const;

    NxWebCmdCtrl* m_controller;
    QNetworkAccessManager* m_manager = nullptr;
    QNetworkReply* m_lastReply = nullptr;
};
