#include "NxFirstAdmin.h"

#include "NxAdminTable.h"
#include "NxCloudAuditLog.h"
#include "NxCloudStore.h"
#include "NxPasswordHash.h"

#include <QFile>

QString NxFirstAdmin::name()
{
    return QStringLiteral("admin");
}

bool NxFirstAdmin::ensure(NxCloudStore& store, const QString& password, bool* created, QString* error)
{
    *created = false;
    int admins = 0;
    if (!store.read([&](QSqlDatabase& db, QString* e) { return NxAdminTable::count(db, &admins, e); }, error))
        return false;
    if (admins > 0)
        return true;
    const QString hash = NxPasswordHash::hash(password);
    if (hash.isEmpty()) {
        *error = QStringLiteral("cannot hash the admin's password");
        return false;
    }
    // Asked again in the transaction: another instance may have been faster.
    return store.database().write([&](QSqlDatabase& db, QString* e) {
        if (!NxAdminTable::count(db, &admins, e))
            return false;
        *created = admins == 0;
        return admins > 0
            || (NxAdminTable::add(db, name(), hash, e)
                && NxCloudAuditLog::append(db, QStringLiteral("service"), QStringLiteral("add admin"), name(),
                                           QString(), e));
    }, error);
}

bool NxFirstAdmin::readPassword(const QString& path, QString* password, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *password = QString::fromUtf8(file.readLine(NxPasswordHash::kMaxLength * 4)).remove(QLatin1Char('\n'))
                    .remove(QLatin1Char('\r'));
    const QString problem = NxPasswordHash::problem(*password);
    if (!problem.isEmpty())
        *error = QStringLiteral("%1: the admin's %2").arg(path, problem);
    return problem.isEmpty();
}
