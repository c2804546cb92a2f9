#include "NxAdminPaging.h"

#include "NxCloudRequest.h"

#include <QMap>

namespace {
bool readNumber(const QMap<QString, QString>& query, const QString& name, int lowest, int highest, int* value,
                QString* error)
{
    if (!query.contains(name))
        return true;
    bool ok = false;
    const int number = query.value(name).toInt(&ok);
    if (ok && number >= lowest && number <= highest) {
        *value = number;
        return true;
    }
    *error = QStringLiteral("%1 must be a number from %2 to %3").arg(name).arg(lowest).arg(highest);
    return false;
}
}

bool NxAdminPaging::fromRequest(const NxCloudRequest& request, NxAdminPaging* paging, QString* error)
{
    const QMap<QString, QString> query = request.queryFields();
    *paging = NxAdminPaging();
    return readNumber(query, QStringLiteral("offset"), 0, 1 << 30, &paging->offset, error)
        && readNumber(query, QStringLiteral("limit"), 1, kMaxLimit, &paging->limit, error);
}
