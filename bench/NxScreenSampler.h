#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

// Reads the root window of an X display as a grey picture of every
// rowStep-th row and every columnStep-th column. Every 4th row and 2nd column
// is about 2 MB over the X connection per sample, cheap enough every 20 ms
// beside the program being measured; every 16th row and 4th column is a
// quarter of that, for sampling every 5 ms. Either is fine enough that any
// widget changes it.
class NxScreenSampler
{
public:
    using Frame = std::vector<std::uint8_t>;

    explicit NxScreenSampler(int rowStep = 4, int columnStep = 2);
    ~NxScreenSampler();
    NxScreenSampler(const NxScreenSampler&) = delete;
    NxScreenSampler& operator=(const NxScreenSampler&) = delete;

    bool isOpen() const { return m_connection != nullptr; }
    std::string error() const { return m_error; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    // Size of a frame: sampled columns by sampled rows.
    int frameWidth() const { return (m_width + m_columnStep - 1) / m_columnStep; }

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
    int m_rowStep = 4;
    int m_columnStep = 2;
    std::string m_error;
};
