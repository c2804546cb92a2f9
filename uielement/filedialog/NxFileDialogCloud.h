#pragma once

#include "NxFileDialogTypes.h"

#include <QJsonObject>
#include <QList>
#include <QObject>

class NxFileDialogListing;
class NxFileDialogView;
class QMovie;
class QTimer;

// The cloud places of the file dialog: the wait for a listing and its end
// (a reply, an error or the time running out), the files listed, the
// sign-in state and the folder downloads land in.
class NxFileDialogCloud : public QObject
{
    Q_OBJECT

public:
    NxFileDialogCloud(NxFileDialogView* view, NxFileDialogListing& listing, double scale, QObject* parent);

    void setLoginState(LoginState state) { m_loginState = state; }
    bool isSignedIn() const { return m_loginState == LOGIN_IN; }
    // Waits for the listing the cloud client asks for, or asks to sign in.
    void list();
    // The listing asked for is no longer wanted.
    void stopListing();
    void showLoading();
    void stopLoading();
    // A reply of the cloud client; only listings are taken.
    void takeReply(const QString& request, const QJsonObject& reply, const HistoryDir& at);
    // A failed request of the cloud client; only those of the cloud places count.
    void takeError(const QString& request, int errorCode);
    void fail();
    CloudFile fileById(const QString& id) const;
    CloudFile fileByPath(const QString& path) const;
    // Downloads of an earlier showing: its caller has had its file by now.
    static void clearDownloads();

private:
    NxFileDialogView* m_view;
    NxFileDialogListing& m_listing;
    QTimer* m_timer = nullptr;
    QMovie* m_waiting = nullptr;
    LoginState m_loginState = LOGIN_OUT;
    QList<CloudFile> m_files;
};
