#include "NxTestDatabases.h"

#include <QTest>

const QString NxTestDatabases::sqlite = QStringLiteral("sqlite");
const QString NxTestDatabases::postgresql = QStringLiteral("postgresql");

QStringList NxTestDatabases::kinds()
{
    const QStringList all{sqlite, postgresql};
    const QString chosen = qEnvironmentVariable("NX_TEST_DATABASES");
    if (chosen.isEmpty())
        return all;
    QStringList kinds;
    for (const QString& kind : all) {
        if (chosen.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(kind))
            kinds << kind;
    }
    if (kinds.isEmpty())
        qFatal("NX_TEST_DATABASES names none of: %s", qPrintable(all.join(QLatin1Char(','))));
    return kinds;
}

void NxTestDatabases::addKindRows()
{
    QTest::addColumn<QString>("kind");
    for (const QString& kind : kinds())
        QTest::newRow(qPrintable(kind)) << kind;
}

void NxTestDatabases::addKindRows(const char* column, const QStringList& values)
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>(column);
    for (const QString& kind : kinds()) {
        for (int i = 0; i < values.size(); ++i)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(kind).arg(i))) << kind << values.at(i);
    }
}
