// A database of sample records on a server, in a throw-away cluster as the tests use: storing
// it whole, opening it whole, and saving after a hundred records were changed. Beside the
// clock, each row counts the processor time of the server's process for its connection
// ("server_cpu"), which the benchmark's own CPU column leaves out.

#include "sample_records.h"
#include "support/test_cluster.h"

#include "server/record_rows.h"
#include "server/server_database.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using namespace quillmark;

// The processor time the process has used so far, in seconds.
double ProcessSeconds(int process)
{
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string text;
    std::getline(stat, text);
    // The fields after the command's name, which is in parentheses and may hold spaces.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14 || number == 15) {
            ticks += std::stod(field);
        }
    }
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// Adds the server's processor time over the run to the row, per iteration.
class ServerClock {
public:
    explicit ServerClock(ServerDatabase& server)
        : process_(server.Connection().BackendProcess()), start_(ProcessSeconds(process_))
    {
    }
    void Report(benchmark::State& state) const
    {
        state.counters["server_cpu"] = benchmark::Counter(ProcessSeconds(process_) - start_,
                                                          benchmark::Counter::kAvgIterations);
    }

private:
    int process_;
    double start_;
};

// The sample of that many records on the server, stored once per size.
std::unique_ptr<ServerDatabase> StoredSample(int count)
{
    static int stored = -1;
    auto server = ServerDatabase::Connect(test::TestCluster::Get().Address("Sample"));
    if (stored != count) {
        server->Create(bench::SampleDatabase(count), "1.12", true);
        stored = count;
    }
    return server;
}

std::optional<std::string> NoPassword(PasswordKind)
{
    return std::nullopt;
}

void ServerPush(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& sample = bench::SampleDatabase(count);
    auto server = ServerDatabase::Connect(test::TestCluster::Get().Address("Pushed"));
    const ServerClock clock(*server);
    for (auto _ : state) {
        server->Create(sample, "1.12", true);
    }
    clock.Report(state);
}

void ServerOpen(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto server = StoredSample(count);
    const ServerClock clock(*server);
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
    clock.Report(state);
}

void ServerSaveChanged(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    auto server = StoredSample(count);
    Database database;
    server->Open(database, NoPassword);
    const ServerClock clock(*server);
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
    clock.Report(state);
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
BENCHMARK(ServerPush)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(ServerOpen)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();
BENCHMARK(ServerSaveChanged)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    quillmark::test::TestCluster::StopAll();
    return 0;
}
