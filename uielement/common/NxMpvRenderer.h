#pragma once

#include <QImage>
#include <QSharedPointer>
#include <QSize>
#include <atomic>
#include <memory>

struct mpv_handle;
struct mpv_render_context;
struct mpv_render_param;
class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

// Draws mpv's frames into a picture through the render API: OpenGL in an
// offscreen context when the platform offers one, else mpv's software
// renderer. Either way the picture exists while the window is still hidden,
// which it is until the stream has started.
class NxMpvRenderer
{
public:
    // receiver->method() is called queued on receiver's thread whenever mpv
    // has something new to draw.
    NxMpvRenderer(QSharedPointer<mpv_handle> core, QObject* receiver, const char* method);
    ~NxMpvRenderer();
    NxMpvRenderer(const NxMpvRenderer&) = delete;
    NxMpvRenderer& operator=(const NxMpvRenderer&) = delete;

    bool isValid() const;
    bool usesOpenGl() const;
    // Draws what is due into image (resized to size); false when nothing
    // was due. fresh tells a new picture of the stream from a redraw.
    bool render(const QSize& size, QImage& image, bool& fresh);

private:
    static void onUpdate(void* self);
    bool createOpenGl();
    bool createSoftware();
    bool create(mpv_render_param* params);
    bool renderOpenGl(const QSize& size, QImage& image, bool& fresh);
    bool renderSoftware(const QSize& size, QImage& image, bool& fresh);
    bool nextIsNewFrame();

    QSharedPointer<mpv_handle> m_core;
    QObject* m_receiver;
    const char* m_method;
    mpv_render_context* m_context = nullptr;
    std::unique_ptr<QOpenGLContext> m_gl;
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    std::atomic<bool> m_posted{false};
};
