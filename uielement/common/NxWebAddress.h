#pragma once

#include "TavoUIElementGlobal.h"

#include <QCoreApplication>
#include <QString>
#include <QUrl>

// One address check for everything that hands an address on: the own-channel
// form, the browser and the live player. Addresses are read as a browser reads
// them: characters an address may not carry ("|", "^", quotes, braces,
// blanks, a "%" without two hex digits) are encoded rather than refused; what
// is required is a known scheme and a host. file:, drive paths and script
// addresses never pass.
class TAVOUIELEMENT_EXPORT NxWebAddress
{
    Q_DECLARE_TR_FUNCTIONS(NxWebAddress)

public:
    // Web: http and https. Stream: those and rtmp, rtsp and hls.
    enum Kind { Web, Stream };

    explicit NxWebAddress(const QString& text, Kind kind = Web);

    bool isValid() const;
    // What the shell and the player are handed: every character percent-
    // encoded that an address may not carry. Empty when not valid.
    QString encoded() const;
    // The toast for a refused address: the wrong kind of address, or a web
    // address that is incomplete or malformed.
    QString refusal() const;

private:
    bool hasKnownScheme() const;

    QUrl m_url;
    Kind m_kind;
};
