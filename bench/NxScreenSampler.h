#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

// Reads the root window of an X display as a grey picture of every 4th row
// and every 2nd column: about 2 MB over the X connection per sample, cheap
// enough to sample every 20 ms beside the program being measured, and fine
// enough that any widget changes it.
class NxScreenSampler
{
public:
    using Frame = std::vector<std::uint8_t>;

    NxScreenSampler();
    ~NxScreenSampler();
    NxScreenSampler(const NxScreenSampler&) = delete;
    NxScreenSampler& operator=(const NxScreenSampler&) = delete;

    bool isOpen() const { return m_connection != nullptr; }
    std::string error() const { return m_error; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // An empty frame when the display stopped answering.
    Frame grab();

    // Share of the sampled pixels whose grey level differs by more than a
    // step that compression noise or dithering never reaches.
    static double difference(const Frame& a, const Frame& b);

private:
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    int m_width = 0;
    int m_height = 0;
    std::string m_error;
};
