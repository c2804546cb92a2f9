#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>

#include <cstdint>

// The process around one fuzz target: an application object made once
// (offscreen), the product's log lines dropped, as writing them would cost
// far more than the reading under test, and a private working directory.
class NxFuzzApp
{
public:
    enum class Kind { Core, Gui };

    static void ensure(Kind kind = Kind::Core);
    // The input as bytes, not copied.
    static QByteArray bytes(const uint8_t* data, size_t size);
    static QString workDir();
    // Replaces a file of the working directory; returns its path.
    static QString writeFile(const QString& name, const QByteArray& data);
    // A broken promise of the code under test: reported like a crash.
    static void check(bool condition, const char* what);
    // Two texts of one input, split at the first NUL (the second may be empty).
    static QPair<QByteArray, QByteArray> split(const QByteArray& data);
};
