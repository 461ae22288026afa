// A database of sample records on a server, in a throw-away cluster as the tests use: opening
// it whole, and saving after a hundred records were changed.

#include "sample_records.h"
#include "support/test_cluster.h"

#include "server/record_rows.h"
#include "server/server_database.h"

#include <benchmark/benchmark.h>

namespace {

using namespace quillmark;

// The sample of that many records on the server, stored once per size.
std::unique_ptr<ServerDatabase> StoredSample(int count)
{
    static int stored = -1;
    auto server = ServerDatabase::Connect(test::TestCluster::Get().Address("Sample"));
    if (stored != count) {
        Database& sample = bench::SampleDatabase(count);
        server->Create(sample, "1.12", true);
        stored = count;
    }
    return server;
}

std::optional<std::string> NoPassword(PasswordKind)
{
    return std::nullopt;
}

void ServerOpen(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto server = StoredSample(count);
    for (auto _ : state) {
        Database database;
        server->Open(database, NoPassword);
        if (static_cast<int>(database.RecordList.size()) != count) {
            state.SkipWithError("records missing");
        }
        state.PauseTiming();
        database = Database();  // freeing is not opening
        state.ResumeTiming();
    }
}

void ServerSaveChanged(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto server = StoredSample(count);
    Database database;
    server->Open(database, NoPassword);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        for (int i = 0; i < 100; ++i) {
            database.RecordList[static_cast<std::size_t>(i * (count / 100))]->Detail[1] =
                "changed " + std::to_string(round);
        }
        state.ResumeTiming();
        const ServerSaveResult saved = server->Save(database);
        if (!saved.Conflicts.empty()) {
            state.SkipWithError("conflicts");
        }
    }
}

// The part of every save that does not depend on the server: telling the records this user
// changed from the others, by the digest of each.
void DigestOfEveryRecord(benchmark::State& state)
{
    const Database& sample = bench::SampleDatabase(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::uint64_t all = 0;
        for (const auto& record : sample.RecordList) {
            all ^= FiledContentDigest(*record);
        }
        benchmark::DoNotOptimize(all);
    }
}

BENCHMARK(DigestOfEveryRecord)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ServerOpen)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ServerSaveChanged)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    quillmark::test::TestCluster::StopAll();
    return 0;
}
