#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace httplib {
class Client;
}
class NxLoadRecorder;

// One simulated panel: its own keep-alive connection, as the program's
// network access keeps one, the start-up sequence of requests and the poll.
class NxLoadPanel
{
public:
    // pictures: the paths the start-up sequence fetches after the catalogue.
    NxLoadPanel(const QString& baseUrl, const std::vector<std::string>* pictures, NxLoadRecorder* recorder);
    ~NxLoadPanel();
    NxLoadPanel(NxLoadPanel&&) noexcept;
    NxLoadPanel& operator=(NxLoadPanel&&) noexcept;

    // Both categories, the channels offered for adding, then the pictures.
    void startUp();
    // The catalogue again, as a panel refreshing it.
    void poll();
    // The first category's answer as a panel reads it; empty on failure.
    static std::string catalogue(const QString& baseUrl);

private:
    bool post(const char* path, const std::string& body, bool catalogue);
    bool get(const std::string& path);

    std::unique_ptr<httplib::Client> m_client;
    const std::vector<std::string>* m_pictures;
    NxLoadRecorder* m_recorder;
};
