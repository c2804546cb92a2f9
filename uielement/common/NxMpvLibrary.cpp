#include "NxMpvLibrary.h"

#include <QDebug>
#include <QLibrary>
#include <QStringList>

namespace {

template <typename Function>
bool resolve(QLibrary& library, const char* name, Function* function, QStringList* missing)
{
    *function = reinterpret_cast<Function>(library.resolve(name));
    if (!*function)
        missing->append(QLatin1String(name));
    return *function != nullptr;
}

const NxMpvLibrary* load()
{
    // Version 2 is the ABI of the headers this file is built with; Windows
    // builds of libmpv carry it in the file name.
    static QLibrary library;
    QStringList errors;
    for (const QString& name : {QStringLiteral("mpv"), QStringLiteral("mpv-2"), QStringLiteral("libmpv-2")}) {
        library.setFileNameAndVersion(name, 2);
        if (library.load())
            break;
        errors.append(library.errorString());
    }
    if (!library.isLoaded()) {
        qWarning() << "NxMpvLibrary::instance" << "cannot load libmpv:" << errors;
        return nullptr;
    }
    static NxMpvLibrary api;
    QStringList missing;
    resolve(library, "mpv_create", &api.create, &missing);
    resolve(library, "mpv_initialize", &api.initialize, &missing);
    resolve(library, "mpv_set_option_string", &api.set_option_string, &missing);
    resolve(library, "mpv_request_log_messages", &api.request_log_messages, &missing);
    resolve(library, "mpv_set_wakeup_callback", &api.set_wakeup_callback, &missing);
    resolve(library, "mpv_terminate_destroy", &api.terminate_destroy, &missing);
    resolve(library, "mpv_set_property_async", &api.set_property_async, &missing);
    resolve(library, "mpv_observe_property", &api.observe_property, &missing);
    resolve(library, "mpv_command_async", &api.command_async, &missing);
    resolve(library, "mpv_wait_event", &api.wait_event, &missing);
    resolve(library, "mpv_error_string", &api.error_string, &missing);
    resolve(library, "mpv_render_context_create", &api.render_context_create, &missing);
    resolve(library, "mpv_render_context_free", &api.render_context_free, &missing);
    resolve(library, "mpv_render_context_update", &api.render_context_update, &missing);
    resolve(library, "mpv_render_context_render", &api.render_context_render, &missing);
    resolve(library, "mpv_render_context_get_info", &api.render_context_get_info, &missing);
    resolve(library, "mpv_render_context_set_update_callback", &api.render_context_set_update_callback, &missing);
    if (!missing.isEmpty()) {
        qWarning() << "NxMpvLibrary::instance" << library.fileName() << "lacks" << missing;
        return nullptr;
    }
    return &api;
}

} // namespace

const NxMpvLibrary* NxMpvLibrary::instance()
{
    static const NxMpvLibrary* api = load();
    return api;
}
