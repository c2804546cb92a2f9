#include "NxLoadPanel.h"

#include "NxLoadRecorder.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>

namespace {
const char* kInfo = "/channel/getNxtChannelInfo";
const char* kOffered = "/channel/getChannelListToAdd";
const std::string kChannels = "{\"channelId\":\"nxtchannel\"}";
const std::string kStations = "{\"channelId\":\"tvstation\"}";
const char* kJson = "application/json";

std::unique_ptr<httplib::Client> client(const QString& baseUrl)
{
    auto out = std::make_unique<httplib::Client>(baseUrl.toStdString());
    out->set_keep_alive(true);
    // As the program's network access does: no Nagle delay between head and body.
    out->set_tcp_nodelay(true);
    out->set_connection_timeout(10);
    out->set_read_timeout(30);
    return out;
}

// The first failure says why, the others are counted.
void explain(const httplib::Result& result, const char* path)
{
    static std::atomic<bool> told{false};
    if (!told.exchange(true))
        std::fprintf(stderr, "first failure: %s %s\n", path,
                     result ? ("HTTP " + std::to_string(result->status)).c_str() : httplib::to_string(result.error()).c_str());
}

// The server closed the kept-alive connection as the request went out.
bool closedUnderUs(httplib::Error error)
{
    return error == httplib::Error::Write || error == httplib::Error::Read;
}

qint64 since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
}
}

NxLoadPanel::NxLoadPanel(const QString& baseUrl, const std::vector<std::string>* pictures, NxLoadRecorder* recorder)
    : m_client(client(baseUrl))
    , m_pictures(pictures)
    , m_recorder(recorder)
{
}

NxLoadPanel::~NxLoadPanel() = default;
NxLoadPanel::NxLoadPanel(NxLoadPanel&&) noexcept = default;
NxLoadPanel& NxLoadPanel::operator=(NxLoadPanel&&) noexcept = default;

void NxLoadPanel::startUp()
{
    if (!post(kInfo, kChannels, true) || !post(kInfo, kStations, true) || !post(kOffered, "{}", false))
        return;
    for (const std::string& picture : *m_pictures) {
        if (!get(picture))
            return;
    }
}

void NxLoadPanel::poll()
{
    post(kInfo, kChannels, true);
}

std::string NxLoadPanel::catalogue(const QString& baseUrl)
{
    const httplib::Result result = client(baseUrl)->Post(kInfo, kChannels, kJson);
    return result && result->status == 200 ? result->body : std::string();
}

bool NxLoadPanel::post(const char* path, const std::string& body, bool catalogue)
{
    const auto start = std::chrono::steady_clock::now();
    httplib::Result result = m_client->Post(path, body, kJson);
    if (!result && closedUnderUs(result.error())) {
        m_recorder->retried();
        result = m_client->Post(path, body, kJson);
    }
    const bool ok = result && result->status == 200 && !result->body.empty();
    if (!ok)
        explain(result, path);
    m_recorder->record(catalogue, ok, since(start));
    return ok;
}

bool NxLoadPanel::get(const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    httplib::Result result = m_client->Get(path);
    if (!result && closedUnderUs(result.error())) {
        m_recorder->retried();
        result = m_client->Get(path);
    }
    const bool ok = result && result->status == 200 && !result->body.empty();
    if (!ok)
        explain(result, path.c_str());
    m_recorder->record(false, ok, since(start));
    return ok;
}
