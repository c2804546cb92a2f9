#pragma once

#include "NxCloudLinkingEndpoints.h"
#include "NxCloudReply.h"
#include "NxCloudRequest.h"
#include "NxSignInPage.h"
#include "NxTeacherSignIn.h"

#include <QSharedPointer>

class NxCloudSignInBook;
class NxCloudStore;

// The classroom platform's side of the QR sign-in: the page a phone opens
// from the code, where the teacher signs in with name and password, and the
// poll of the panel.
class NxPlatformEndpoints : public NxCloudLinkingEndpoints
{
public:
    static QString confirmPath();

    NxPlatformEndpoints(NxCloudSignInBook& book, QSharedPointer<NxCloudStore> store, std::function<QString()> baseUrl);

    void addRoutes(NxCloudRouter& router) override;

private:
    NxCloudReply invitationPage(const NxCloudRequest& request) const;
    NxCloudReply confirmPage(const NxCloudRequest& request) const;
    NxCloudReply poll(const NxCloudRequest& request) const;
    // The form again, saying why the last try failed.
    static NxCloudReply retry(NxSignInPage::Invitation invitation, const NxTeacherSignIn::Result& result);
    // Why the scanned parameters are unusable; empty when they are fine.
    static QString invitationProblem(const QMap<QString, QString>& query);
    static QString appNameOf(const QString& target);
    static QString timeOf(const QString& code);
    static void announce(const NxCloudRequest& request, const QString& code, const QString& appName);

    NxCloudSignInBook& m_book;
    NxTeacherSignIn m_teachers;
};
