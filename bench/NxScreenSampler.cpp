#include "NxScreenSampler.h"

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
const int kGreyStep = 12;
} // namespace

NxScreenSampler::NxScreenSampler(int rowStep, int columnStep)
    : m_rowStep(rowStep > 0 ? rowStep : 1)
    , m_columnStep(columnStep > 0 ? columnStep : 1)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (const int code = xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        m_error = "cannot connect to the X display at DISPLAY (xcb error " + std::to_string(code) + ")";
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem || it.data->root_depth < 24) {
        xcb_disconnect(connection);
        m_error = "the X screen is not a 24-bit screen";
        return;
    }
    m_connection = connection;
    m_root = it.data->root;
    m_width = it.data->width_in_pixels;
    m_height = it.data->height_in_pixels;
}

NxScreenSampler::~NxScreenSampler()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

NxScreenSampler::Frame NxScreenSampler::grab()
{
    if (!m_connection)
        return {};
    // All rows are asked for first, so the round trips overlap.
    std::vector<xcb_get_image_cookie_t> cookies;
    for (int y = 0; y < m_height; y += m_rowStep)
        cookies.push_back(xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, 0, std::int16_t(y),
                                        std::uint16_t(m_width), 1, ~0u));
    const int columns = frameWidth();
    Frame frame;
    frame.reserve(cookies.size() * std::size_t(columns));
    bool failed = false;
    for (const xcb_get_image_cookie_t& cookie : cookies) {
        xcb_get_image_reply_t* reply = xcb_get_image_reply(m_connection, cookie, nullptr);
        const int length = reply ? xcb_get_image_data_length(reply) : 0;
        if (length < m_width * 4) {
            failed = true;
        } else {
            const std::uint8_t* bgrx = xcb_get_image_data(reply);
            for (int x = 0; x < m_width; x += m_columnStep) {
                const std::uint8_t* p = bgrx + 4 * x;
                frame.push_back(std::uint8_t((29 * p[0] + 150 * p[1] + 77 * p[2]) >> 8));
            }
        }
        std::free(reply);
    }
    if (failed)
        return {};
    return frame;
}

double NxScreenSampler::difference(const Frame& a, const Frame& b)
{
    if (a.size() != b.size() || a.empty())
        return 1.0;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differing += std::abs(int(a[i]) - int(b[i])) > kGreyStep;
    return double(differing) / double(a.size());
}
