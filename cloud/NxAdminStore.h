#pragma once

#include "NxAdminResult.h"
#include "NxCloudStore.h"

#include <QSharedPointer>
#include <functional>

// The admin API's way into the store: each change is one transaction in
// which the work may also refuse (a 404, a 409), which rolls it back.
class NxAdminStore
{
public:
    // False rolls back: with *result a refusal, that is the answer; else the
    // database failed (error says why).
    using Work = std::function<bool(QSqlDatabase&, QString* error, NxAdminResult* result)>;

    explicit NxAdminStore(QSharedPointer<NxCloudStore> store);

    NxAdminResult change(NxCloudStore::Areas areas, const Work& work) const;
    NxAdminResult read(const Work& work) const;
    QSharedPointer<NxCloudStore> store() const;

private:
    NxAdminResult run(bool write, NxCloudStore::Areas areas, const Work& work) const;

    QSharedPointer<NxCloudStore> m_store;
};
