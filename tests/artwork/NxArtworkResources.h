#pragma once

#include <QStringList>

// A shared library that carries both libraries' pictures the way the product
// libraries do, registered when the library is loaded.
class Q_DECL_EXPORT NxArtworkResources
{
public:
    // Resource folders the pictures live in.
    static QStringList roots();
};
