#include "NxAdminStore.h"

NxAdminStore::NxAdminStore(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxAdminResult NxAdminStore::change(NxCloudStore::Areas areas, const Work& work) const
{
    return run(true, areas, work);
}

NxAdminResult NxAdminStore::read(const Work& work) const
{
    return run(false, NxCloudStore::Areas(), work);
}

QSharedPointer<NxCloudStore> NxAdminStore::store() const
{
    return m_store;
}

NxAdminResult NxAdminStore::run(bool write, NxCloudStore::Areas areas, const Work& work) const
{
    NxAdminResult result;
    const NxCloudDatabase::Work step = [&](QSqlDatabase& db, QString* error) {
        result = NxAdminResult();
        if (work(db, error, &result))
            return true;
        if (!result.isOk() && error->isEmpty())
            *error = result.error;
        return false;
    };
    QString error;
    const bool done = write ? m_store->change(areas, step, &error) : m_store->read(step, &error);
    if (done || !result.isOk())
        return result;
    return NxAdminResult::storageFailed("NxAdminStore", error);
}
