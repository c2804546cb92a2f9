#include "NxQuitOnSignal.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

namespace {

NxQuitOnSignal* g_instance = nullptr;

BOOL WINAPI handle(DWORD)
{
    if (g_instance)
        QMetaObject::invokeMethod(g_instance, "stopRequested", Qt::QueuedConnection);
    QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
    return TRUE;
}

} // namespace

NxQuitOnSignal::NxQuitOnSignal(QObject* parent)
    : QObject(parent)
{
    g_instance = this;
    SetConsoleCtrlHandler(handle, TRUE);
}

NxQuitOnSignal::~NxQuitOnSignal()
{
    SetConsoleCtrlHandler(handle, FALSE);
    g_instance = nullptr;
}

void NxQuitOnSignal::onSignal()
{
    emit stopRequested();
    QCoreApplication::quit();
}
