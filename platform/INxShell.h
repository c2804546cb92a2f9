#pragma once

#include <QString>

#include <functional>

class QObject;

// Opens documents and addresses the way the desktop does, and starts programs.
class INxShell
{
public:
    enum class Show { Normal, Maximized };
    using Failure = std::function<void()>;

    virtual ~INxShell() = default;

    // The verb "open" on a document or an address: the program the system
    // associates with it opens it; the target itself never runs as a program.
    // False when the system refused at once. When no program takes it later,
    // failed is called on the calling thread, unless context is gone by then.
    virtual bool open(const QString& target, Show show, QObject* context, const Failure& failed) = 0;
    // Starts a program directly with its command-line parameters; only for
    // callers that name a program. False when it could not be started.
    virtual bool startProgram(const QString& program, const QString& parameters, Show show) = 0;
    // The touch keyboard program of this system; empty when there is none.
    virtual QString onScreenKeyboard() const = 0;
};
