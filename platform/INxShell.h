#pragma once

#include <QString>

// Opens documents, addresses and programs the way the desktop does.
class INxShell
{
public:
    enum class Show { Normal, Maximized };

    virtual ~INxShell() = default;

    // The verb "open" on a file, program or URL with optional parameters.
    // False when the system refused at once; a later failure is not seen.
    virtual bool open(const QString& target, const QString& parameters, Show show) = 0;
    // The touch keyboard program of this system; empty when there is none.
    virtual QString onScreenKeyboard() const = 0;
};
