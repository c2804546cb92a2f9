// How long a large catalogue reply takes to become a channel tree.
#include "NxChannelAnswerReader.h"
#include "NxChannelJson.h"
#include "NxChannelSet.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

namespace {

QJsonObject channel(int id, const QJsonArray& children = {})
{
    QJsonArray images;
    const char* types[] = {"small", "middle", "large"};
    for (int i = 0; i < 3; ++i) {
        images.append(QJsonObject{{"id", id * 3 + i}, {"order", i}, {"type", types[i]},
                                  {"url", QString("http://127.0.0.1:8090/pictures/c%1_%2.png").arg(id).arg(types[i])}});
    }
    return QJsonObject{{"id", id}, {"channelId", QString("c%1").arg(id)}, {"channelName", QString("频道 %1").arg(id)},
                       {"introduction", "一个课堂频道的介绍文字"}, {"address", QString("https://example.com/c/%1").arg(id)},
                       {"isHasChild", children.isEmpty() ? "0" : "1"}, {"playMode", "0"}, {"channelType", "web"},
                       {"images", images}, {"children", children}};
}

// Root → 100 groups → 100 channels: 10,000 channels on three levels.
QByteArray catalogueReply()
{
    QJsonArray groups;
    for (int g = 0; g < 100; ++g) {
        QJsonArray leaves;
        for (int c = 0; c < 100; ++c)
            leaves.append(channel(1000 + g * 100 + c));
        groups.append(channel(g + 1, leaves));
    }
    const QJsonObject result{{"bannerCount", 4}, {"data", channel(0, groups)}};
    // Compact, as the service sends it.
    return QJsonDocument(QJsonObject{{"type", "getNxtChannelInfo_ACK"}, {"msg", "ok"}, {"result", result}})
        .toJson(QJsonDocument::Compact);
}

template <class Read>
void parseCatalogue(benchmark::State& state, Read read)
{
    const QByteArray reply = catalogueReply();
    for (auto _ : state) {
        const NxCloudAnswers::Channels answer = read(reply);
        benchmark::DoNotOptimize(answer.channel.data());
        if (!answer.channel || answer.channel->children().size() != 100)
            state.SkipWithError("catalogue not parsed");
    }
    state.counters["bytes"] = reply.size();
}

// The client's path: RapidJSON straight into the tree.
void BM_ParseCatalogue(benchmark::State& state)
{
    parseCatalogue(state, [](const QByteArray& reply) { return NxChannelAnswerReader::read(reply); });
}
BENCHMARK(BM_ParseCatalogue)->Unit(benchmark::kMillisecond);

// QJsonDocument, which reads what RapidJSON leaves to it.
void BM_ParseCatalogueQJsonDocument(benchmark::State& state)
{
    parseCatalogue(state, [](const QByteArray& reply) { return NxChannelJson::answer(QJsonDocument::fromJson(reply).object()); });
}
BENCHMARK(BM_ParseCatalogueQJsonDocument)->Unit(benchmark::kMillisecond);

} // namespace
