#pragma once

#include <QString>

// The settings the program publishes as properties of its application object.
class NxAppProperty
{
public:
    // The property as text; empty without an application object.
    static QString text(const char* name);
};
