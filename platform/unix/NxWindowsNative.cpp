#include "NxWindowsNative.h"

#include "NxDesktopAssociations.h"

#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QVector>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstdlib>
#include <cstring>

// X11 through EWMH: the window manager's client list stands for the
// top-level windows; mapped windows are "visible" and windows of another
// type than normal count as tool windows.
struct NxWindowsNative::Private {
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    int screen = 0;
    bool tried = false;
    bool ready = false;
    NxDesktopAssociations associations;

    ~Private()
    {
        if (ready)
            xcb_ewmh_connection_wipe(&ewmh);
        if (connection)
            xcb_disconnect(connection);
    }

    bool connect()
    {
        if (tried)
            return ready;
        tried = true;
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            qDebug() << "NxWindowsNative" << "no X11 display: windows of other programs are not seen";
            return false;
        }
        connection = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(connection)) {
            qDebug() << "NxWindowsNative" << "cannot connect to the X11 display" << qgetenv("DISPLAY");
            return false;
        }
        ready = xcb_ewmh_init_atoms_replies(&ewmh, xcb_ewmh_init_atoms(connection, &ewmh), nullptr);
        if (!ready)
            qDebug() << "NxWindowsNative" << "the X11 display has no EWMH atoms";
        return ready;
    }

    xcb_window_t root() const { return ewmh.screens[screen]->root; }

    QList<xcb_window_t> clients()
    {
        QList<xcb_window_t> windows;
        xcb_ewmh_get_windows_reply_t list;
        if (connect() && xcb_ewmh_get_client_list_reply(&ewmh, xcb_ewmh_get_client_list(&ewmh, screen), &list, nullptr)) {
            for (uint32_t i = 0; i < list.windows_len; ++i)
                windows.append(list.windows[i]);
            xcb_ewmh_get_windows_reply_wipe(&list);
        }
        return windows;
    }

    bool isMapped(xcb_window_t window)
    {
        if (!connect())
            return false;
        xcb_get_window_attributes_reply_t* reply
            = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
        const bool mapped = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        free(reply);
        return mapped;
    }

    QList<xcb_atom_t> atoms(xcb_get_property_cookie_t cookie)
    {
        QList<xcb_atom_t> result;
        xcb_ewmh_get_atoms_reply_t reply;
        if (xcb_ewmh_get_atoms_reply(&ewmh, cookie, &reply, nullptr)) {
            for (uint32_t i = 0; i < reply.atoms_len; ++i)
                result.append(reply.atoms[i]);
            xcb_ewmh_get_atoms_reply_wipe(&reply);
        }
        return result;
    }

    // WM_HINTS input and the WM_TAKE_FOCUS protocol decide whether the
    // window manager gives a window the focus.
    void setAcceptsFocus(xcb_window_t window, bool accepts);
};

namespace {

xcb_window_t xid(INxWindows::Handle window)
{
    return xcb_window_t(window);
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

} // namespace

void NxWindowsNative::Private::setAcceptsFocus(xcb_window_t window, bool accepts)
{
    enum { InputHint = 1, HintWords = 9 };
    uint32_t hints[HintWords] = {0};
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, HintWords), nullptr);
    if (reply) {
        const int words = qMin<int>(xcb_get_property_value_length(reply) / 4, HintWords);
        memcpy(hints, xcb_get_property_value(reply), size_t(words) * 4);
        free(reply);
    }
    hints[0] |= InputHint;
    hints[1] = accepts ? 1 : 0;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, HintWords, hints);

    const xcb_atom_t protocols = internAtom(connection, "WM_PROTOCOLS");
    const xcb_atom_t takeFocus = internAtom(connection, "WM_TAKE_FOCUS");
    QVector<xcb_atom_t> list;
    reply = xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, protocols, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (reply) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i) {
            if (values[i] != takeFocus)
                list.append(values[i]);
        }
        free(reply);
    }
    if (accepts)
        list.append(takeFocus);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, uint32_t(list.size()), list.constData());
    xcb_flush(connection);
}

NxWindowsNative::NxWindowsNative()
    : d(new Private)
{
}

NxWindowsNative::~NxWindowsNative() = default;

bool NxWindowsNative::isAvailable()
{
    return d->connect();
}

QList<INxWindows::Handle> NxWindowsNative::topLevelWindows()
{
    QList<Handle> windows;
    for (xcb_window_t window : d->clients())
        windows.append(window);
    return windows;
}

quint32 NxWindowsNative::style(Handle window)
{
    return d->isMapped(xid(window)) ? kVisibleStyle : 0;
}

quint32 NxWindowsNative::exStyle(Handle window)
{
    if (!d->connect())
        return 0;
    // Without a type a managed window is a normal one.
    const QList<xcb_atom_t> types = d->atoms(xcb_ewmh_get_wm_window_type(&d->ewmh, xid(window)));
    return types.isEmpty() || types.contains(d->ewmh._NET_WM_WINDOW_TYPE_NORMAL) ? 0 : kToolWindowExStyle;
}

qint64 NxWindowsNative::processId(Handle window)
{
    uint32_t pid = 0;
    if (d->connect() && xcb_ewmh_get_wm_pid_reply(&d->ewmh, xcb_ewmh_get_wm_pid(&d->ewmh, xid(window)), &pid, nullptr))
        return pid;
    return 0;
}

QString NxWindowsNative::processImagePath(qint64 processId)
{
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(processId)).symLinkTarget();
}

QRect NxWindowsNative::geometry(Handle window)
{
    if (!d->connect())
        return QRect();
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(d->connection, xcb_get_geometry(d->connection, xid(window)), nullptr);
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        d->connection, xcb_translate_coordinates(d->connection, xid(window), d->root(), 0, 0), nullptr);
    const QRect rect = size && origin ? QRect(origin->dst_x, origin->dst_y, size->width, size->height) : QRect();
    free(size);
    free(origin);
    return rect;
}

QString NxWindowsNative::title(Handle window)
{
    if (!d->connect())
        return QString();
    xcb_ewmh_get_utf8_strings_reply_t name;
    if (xcb_ewmh_get_wm_name_reply(&d->ewmh, xcb_ewmh_get_wm_name(&d->ewmh, xid(window)), &name, nullptr)) {
        const QString text = QString::fromUtf8(name.strings, int(name.strings_len));
        xcb_ewmh_get_utf8_strings_reply_wipe(&name);
        return text;
    }
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        d->connection, xcb_get_property(d->connection, 0, xid(window), XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 1024), nullptr);
    const QString text = reply ? QString::fromLocal8Bit(static_cast<const char*>(xcb_get_property_value(reply)),
                                                        xcb_get_property_value_length(reply))
                               : QString();
    free(reply);
    return text;
}

INxWindows::Handle NxWindowsNative::findByTitle(const QString& title)
{
    for (xcb_window_t window : d->clients()) {
        if (this->title(window) == title)
            return window;
    }
    return 0;
}

bool NxWindowsNative::isWindow(Handle window)
{
    // A closed window leaves the window manager's list even while its
    // program keeps the X11 window.
    return window && d->clients().contains(xid(window));
}

bool NxWindowsNative::isVisible(Handle window)
{
    return d->isMapped(xid(window));
}

bool NxWindowsNative::isMinimized(Handle window)
{
    return d->connect() && d->atoms(xcb_ewmh_get_wm_state(&d->ewmh, xid(window))).contains(d->ewmh._NET_WM_STATE_HIDDEN);
}

void NxWindowsNative::maximize(Handle window)
{
    if (!d->connect())
        return;
    xcb_ewmh_request_change_wm_state(&d->ewmh, d->screen, xid(window), XCB_EWMH_WM_STATE_ADD, d->ewmh._NET_WM_STATE_MAXIMIZED_VERT,
                                     d->ewmh._NET_WM_STATE_MAXIMIZED_HORZ, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    xcb_flush(d->connection);
}

void NxWindowsNative::bringToFront(Handle window)
{
    if (!d->connect())
        return;
    // As a pager asks: the window manager's focus-stealing rules are for programs.
    xcb_ewmh_request_change_active_window(&d->ewmh, d->screen, xid(window), XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                          XCB_CURRENT_TIME, XCB_NONE);
    xcb_flush(d->connection);
}

INxWindows::Handle NxWindowsNative::activeWindow()
{
    xcb_window_t window = XCB_NONE;
    if (d->connect())
        xcb_ewmh_get_active_window_reply(&d->ewmh, xcb_ewmh_get_active_window(&d->ewmh, d->screen), &window, nullptr);
    return window;
}

void NxWindowsNative::setAcceptsActivation(Handle ownWindow, bool accepts)
{
    // Our own windows are X11 windows only on Qt's xcb platform.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !ownWindow || !d->connect())
        return;
    d->setAcceptsFocus(xid(ownWindow), accepts);
    if (accepts)
        bringToFront(ownWindow);
}

void NxWindowsNative::disableTabletPenFeedback(Handle)
{
    // X11 has no pen feedback to switch off.
}

// The compositing manager of a screen owns its _NET_WM_CM_S<n> selection.
// Only Qt's xcb windows depend on it: Wayland always composites, and the
// offscreen platform composes windows in memory with their alpha, as the
// pictures of the tests show them.
bool NxWindowsNative::hasCompositing()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    if (!d->connect())
        return false;
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(d->screen);
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        d->connection, xcb_get_selection_owner(d->connection, internAtom(d->connection, selection.constData())), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    free(reply);
    return owned;
}

QString NxWindowsNative::defaultBrowserCommand()
{
    return d->associations.defaultBrowser().commandLine;
}

QString NxWindowsNative::associatedProgram(const QString& suffix)
{
    return d->associations.forSuffix(suffix).program;
}

QString NxWindowsNative::associatedAppName(const QString& suffix)
{
    return d->associations.forSuffix(suffix).name;
}
