// The updater's command: whatever the registry holds as the installed
// version and wherever the program lies, the command decodes (Base64, then
// UTF-8) to JSON with exactly the four keys, and carries both values.
#include "NxFuzzApp.h"
#include "TavomcPresenterScenarioMain.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NxFuzzApp::ensure();
    const auto parts = NxFuzzApp::split(NxFuzzApp::bytes(data, size));
    const QString dir = QString::fromUtf8(parts.first);
    const QString version = QString::fromUtf8(parts.second);
    const QString command = TavomcPresenterScenarioMain::updateCommand(dir, version);
    const auto decoded = QByteArray::fromBase64Encoding(command.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    NxFuzzApp::check(bool(decoded), "command is not Base64");
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(*decoded, &error).object();
    NxFuzzApp::check(error.error == QJsonParseError::NoError, "command is not JSON");
    NxFuzzApp::check(json.keys() == QStringList({"eventid", "from", "property", "scenario"}), "command keys");
    const QJsonObject property = json.value(QStringLiteral("property")).toObject();
    NxFuzzApp::check(property.value(QStringLiteral("autoupdate")).isBool(), "autoupdate not a boolean");
    NxFuzzApp::check(property.value(QStringLiteral("style")).isString(), "style not a text");
    NxFuzzApp::check(property.value(QStringLiteral("apppath")).toString() == dir, "program directory changed");
    NxFuzzApp::check(property.value(QStringLiteral("regeditversion")).toString() == version, "version changed");
    return 0;
}
