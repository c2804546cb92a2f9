#include "NxMountTable.h"

#include <QFileInfo>
#include <QList>

QString NxMountTable::unescape(const QByteArray& field)
{
    // mountinfo writes blanks and a few other bytes as \ooo.
    QByteArray out;
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(code));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromUtf8(out);
}

QMap<QString, QString> NxMountTable::parse(const QByteArray& mountInfo)
{
    QMap<QString, QString> mounts;
    for (const QByteArray& line : mountInfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const int separator = fields.indexOf("-");
        // id parent major:minor root mountpoint options ... - fstype source superoptions
        if (fields.size() < 5 || separator < 5 || separator + 2 >= fields.size())
            continue;
        mounts.insert(unescape(fields.at(4)), unescape(fields.at(separator + 2)));
    }
    return mounts;
}

bool NxMountTable::isUsbDevice(const QString& source, const QString& sysfsBlockDir)
{
    if (!source.startsWith(QLatin1String("/dev/")))
        return false;
    // Sources may be links such as /dev/disk/by-uuid/...
    const QString resolved = QFileInfo(source).canonicalFilePath();
    const QString device = QFileInfo(resolved.isEmpty() ? source : resolved).fileName();
    const QString sysfsPath = QFileInfo(sysfsBlockDir + QLatin1Char('/') + device).canonicalFilePath();
    return sysfsPath.contains(QLatin1String("/usb"));
}
