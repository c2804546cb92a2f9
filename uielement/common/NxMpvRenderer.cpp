#include "NxMpvRenderer.h"

#include "NxMpvLibrary.h"

#include <mpv/render_gl.h>

#include <QDebug>
#include <QMetaObject>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

namespace {

void* glProcAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

} // namespace

NxMpvRenderer::NxMpvRenderer(QSharedPointer<mpv_handle> core, QObject* receiver, const char* method)
    : m_core(std::move(core))
    , m_receiver(receiver)
    , m_method(method)
{
    if (createOpenGl())
        qDebug() << "NxMpvRenderer::NxMpvRenderer" << "OpenGL";
    else if (createSoftware())
        qDebug() << "NxMpvRenderer::NxMpvRenderer" << "software";
    else
        qWarning() << "NxMpvRenderer::NxMpvRenderer" << "no renderer: video stays black";
    if (m_context)
        mpv()->render_context_set_update_callback(m_context, &NxMpvRenderer::onUpdate, this);
}

NxMpvRenderer::~NxMpvRenderer()
{
    if (!m_context)
        return;
    if (m_gl)
        m_gl->makeCurrent(m_surface.get());
    // Also waits for a running update callback; none comes after it.
    mpv()->render_context_free(m_context);
    m_fbo.reset();
    if (m_gl)
        m_gl->doneCurrent();
}

bool NxMpvRenderer::isValid() const
{
    return m_context != nullptr;
}

bool NxMpvRenderer::usesOpenGl() const
{
    return m_context && m_gl;
}

bool NxMpvRenderer::render(const QSize& size, QImage& image, bool& fresh)
{
    m_posted = false;
    fresh = false;
    if (!m_context || size.isEmpty())
        return false;
    if (!(mpv()->render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME))
        return false;
    return m_gl ? renderOpenGl(size, image, fresh) : renderSoftware(size, image, fresh);
}

// Called on one of mpv's threads: only posts, never calls into mpv.
void NxMpvRenderer::onUpdate(void* self)
{
    auto* renderer = static_cast<NxMpvRenderer*>(self);
    if (!renderer->m_posted.exchange(true))
        QMetaObject::invokeMethod(renderer->m_receiver, renderer->m_method, Qt::QueuedConnection);
}

bool NxMpvRenderer::createOpenGl()
{
    auto gl = std::make_unique<QOpenGLContext>();
    auto surface = std::make_unique<QOffscreenSurface>();
    if (!gl->create())
        return false;
    surface->setFormat(gl->format());
    surface->create();
    if (!surface->isValid() || !gl->makeCurrent(surface.get()))
        return false;
    mpv_opengl_init_params init{&glProcAddress, nullptr};
    char api[] = MPV_RENDER_API_TYPE_OPENGL;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, api},
                                 {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool ok = create(params);
    gl->doneCurrent();
    if (ok) {
        m_gl = std::move(gl);
        m_surface = std::move(surface);
    }
    return ok;
}

bool NxMpvRenderer::createSoftware()
{
    char api[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, api}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    return create(params);
}

bool NxMpvRenderer::create(mpv_render_param* params)
{
    const int rc = mpv()->render_context_create(&m_context, m_core.data(), params);
    if (rc >= 0)
        return true;
    qWarning() << "NxMpvRenderer::create" << static_cast<const char*>(params[0].data) << mpv()->error_string(rc);
    m_context = nullptr;
    return false;
}

// Asked before drawing, as drawing takes the frame.
bool NxMpvRenderer::nextIsNewFrame()
{
    mpv_render_frame_info info{0, 0};
    mpv()->render_context_get_info(m_context, {MPV_RENDER_PARAM_NEXT_FRAME_INFO, &info});
    return (info.flags & MPV_RENDER_FRAME_INFO_PRESENT) && !(info.flags & MPV_RENDER_FRAME_INFO_REDRAW);
}

bool NxMpvRenderer::renderOpenGl(const QSize& size, QImage& image, bool& fresh)
{
    if (!m_gl->makeCurrent(m_surface.get()))
        return false;
    if (!m_fbo || m_fbo->size() != size)
        m_fbo = std::make_unique<QOpenGLFramebufferObject>(size);
    fresh = nextIsNewFrame();
    mpv_opengl_fbo target{static_cast<int>(m_fbo->handle()), size.width(), size.height(), 0};
    int flip = 0; // read back as it lies: top row first
    int block = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &target},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flip},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    const bool drawn = mpv()->render_context_render(m_context, params) >= 0;
    if (drawn)
        image = m_fbo->toImage(false);
    m_gl->doneCurrent();
    return drawn;
}

bool NxMpvRenderer::renderSoftware(const QSize& size, QImage& image, bool& fresh)
{
    if (image.size() != size || image.format() != QImage::Format_ARGB32_Premultiplied)
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    fresh = nextIsNewFrame();
    int extent[2] = {size.width(), size.height()};
    // Qt's byte order; the picture is opaque, the bars around it are clear.
    char format[] = "bgra";
    size_t stride = static_cast<size_t>(image.bytesPerLine());
    int block = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, extent},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, image.bits()},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    return mpv()->render_context_render(m_context, params) >= 0;
}
