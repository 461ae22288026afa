// Writing and reading database files of sample records, next to a plain read of the same file
// into memory: reading a database should cost a small multiple of what the system needs to hand
// over its bytes.

#include "core/database_file.h"
#include "core/default_trees.h"
#include "core/encrypted_file.h"
#include "core/file_io.h"
#include "core/password_cipher.h"
#include "core/value_writer.h"
#include "engine/database_commands.h"
#include "quillmark-tool/sample_database.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace quillmark;

constexpr std::uint64_t SampleSeed = 20240601;

// The sample databases of each size and their files, made once per run in a folder of their
// own that goes away at the end. Only the latest database is kept in memory: at 100 000 records
// it is large, and the read benchmarks need only its file.
class Samples {
public:
    ~Samples()
    {
        if (!folder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }

    Database& DatabaseOf(int count)
    {
        if (!database_ || databaseCount_ != count) {
            database_.reset();
            database_ = std::make_unique<Database>(
                MakeSampleDatabase(count, SampleSeed, ReadDefaultTrees({QUILLMARK_DATA_DIR})));
            databaseCount_ = count;
        }
        return *database_;
    }

    const std::string& FileOf(int count)
    {
        auto found = files_.find(count);
        if (found == files_.end()) {
            const std::string path = Folder() + "/sample-" + std::to_string(count) + ".dat";
            SaveDatabaseFile(path, DatabaseOf(count));
            found = files_.emplace(count, path).first;
        }
        return found->second;
    }

    std::string ScratchFile() { return Folder() + "/written.dat"; }

    void ForgetDatabase() { database_.reset(); }

private:
    const std::string& Folder()
    {
        if (folder_.empty()) {
            std::string pattern =
                (std::filesystem::temp_directory_path() / "quillmark-bench-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) {
                throw std::runtime_error("cannot make a folder for the sample files");
            }
            folder_ = pattern;
        }
        return folder_;
    }

    std::string folder_;
    std::unique_ptr<Database> database_;
    int databaseCount_ = 0;
    std::map<int, std::string> files_;
};

Samples& TheSamples()
{
    static Samples samples;
    return samples;
}

void ReportThroughput(benchmark::State& state, int count, std::uintmax_t fileBytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileBytes));
    state.counters["records"] = benchmark::Counter(static_cast<double>(count),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
}

void DatabaseWrite(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& database = TheSamples().DatabaseOf(count);
    const std::string path = TheSamples().ScratchFile();
    for (auto _ : state) {
        SaveDatabaseFile(path, database);
    }
    ReportThroughput(state, count, std::filesystem::file_size(path));
}

// The same bytes made in memory and dropped: what the writer costs without the disk.
void DatabaseWriteInMemory(benchmark::State& state)
{
    class CountingSink : public ByteSink {
    public:
        void Write(std::string_view bytes) override { count += bytes.size(); }
        std::uintmax_t count = 0;
    };
    const int count = static_cast<int>(state.range(0));
    Database& database = TheSamples().DatabaseOf(count);
    std::uintmax_t fileBytes = 0;
    for (auto _ : state) {
        CountingSink sink;
        ValueWriter writer(sink);
        WriteDatabase(writer, database, "sample.dat");
        fileBytes = sink.count;
    }
    ReportThroughput(state, count, fileBytes);
}

// The bytes the allocator has handed out, large blocks included.
std::size_t HeapInUse()
{
    const struct mallinfo2 heap = ::mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

void DatabaseRead(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string& path = TheSamples().FileOf(count);
    TheSamples().ForgetDatabase();
    std::size_t held = 0;
    for (auto _ : state) {
        // Dropping the previous database is not part of reading one.
        state.PauseTiming();
        auto database = std::make_unique<Database>();
        const std::size_t heldBefore = HeapInUse();
        state.ResumeTiming();
        const DatabaseReadResult result = ReadDatabaseFile(path, *database, ReadMode::Replace);
        if (!result.Ok() || database->RecordList.size() != static_cast<std::size_t>(count)) {
            state.SkipWithError(("the sample file does not read back: " + result.Reason).c_str());
            break;
        }
        state.PauseTiming();
        held = HeapInUse() - heldBefore;
        database.reset();
        state.ResumeTiming();
    }
    const std::uintmax_t fileBytes = std::filesystem::file_size(path);
    ReportThroughput(state, count, fileBytes);
    // The memory the open database holds (its blocks as the allocator counts them) for each
    // byte of its file.
    state.counters["memory_per_file_byte"] =
        static_cast<double>(held) / static_cast<double>(fileBytes);
}

void PlainFileRead(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string& path = TheSamples().FileOf(count);
    TheSamples().ForgetDatabase();
    for (auto _ : state) {
        std::string bytes = ReadWholeFile(path);
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportThroughput(state, count, std::filesystem::file_size(path));
}

// Runs a program to its end, its output thrown away; false when it could not run or failed.
bool RunToEnd(std::vector<const char*> arguments)
{
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = ::posix_spawnp(&child, arguments[0], &actions, nullptr,
                                       const_cast<char* const*>(arguments.data()), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return started == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// The processor time of the children that ended so far, user and system, in seconds.
double ChildrenSeconds()
{
    struct rusage usage {};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs the command on the sample file to its end each round; child_cpu_ms is the processor time
// the process took.
void RunProcess(benchmark::State& state, std::vector<const char*> command)
{
    const std::string& path = TheSamples().FileOf(static_cast<int>(state.range(0)));
    TheSamples().ForgetDatabase();
    command.push_back(path.c_str());
    const double before = ChildrenSeconds();
    for (auto _ : state) {
        if (!RunToEnd(command)) {
            state.SkipWithError("the command failed");
            break;
        }
    }
    state.counters["child_cpu_ms"] =
        (ChildrenSeconds() - before) * 1000 / static_cast<double>(state.iterations());
    ReportThroughput(state, static_cast<int>(state.range(0)), std::filesystem::file_size(path));
}

// `quillmark-tool check` on the sample file, the whole process, next to `cat` of the file.
void ToolCheckProcess(benchmark::State& state)
{
    RunProcess(state, {QUILLMARK_TOOL, "check"});
}

void CatProcess(benchmark::State& state)
{
    RunProcess(state, {"cat"});
}

// Save over the database's file with its backup copy, as Save does: the old file copied to
// NAME.dat.bak, the database written beside it and put in its place, each flushed to disk.
void SaveWithBackup(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& database = TheSamples().DatabaseOf(count);
    const std::string path = TheSamples().ScratchFile();
    SaveDatabaseFile(path, database);
    for (auto _ : state) {
        const SaveResult saved = SaveOverFile(path, database, {}, true);
        if (saved.Outcome != FileSaveOutcome::Saved) {
            state.SkipWithError(("the save failed: " + saved.Reason).c_str());
            break;
        }
    }
    ReportThroughput(state, count, std::filesystem::file_size(path));
}

// What Save is measured against: the file copied as cp copies it, a buffer at a time, and
// flushed to disk.
void CopyFileAndSync(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string& path = TheSamples().FileOf(count);
    const std::string copy = TheSamples().ScratchFile() + ".copy";
    std::string buffer(128 * 1024, '\0');
    for (auto _ : state) {
        const int from = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const int to = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        bool written = from >= 0 && to >= 0;
        for (ssize_t got = 0; written && (got = ::read(from, buffer.data(), buffer.size())) > 0;) {
            written = ::write(to, buffer.data(), static_cast<std::size_t>(got)) == got;
        }
        written = written && ::fsync(to) == 0;
        ::close(from);
        ::close(to);
        if (!written) {
            state.SkipWithError("the copy failed");
            break;
        }
    }
    ReportThroughput(state, count, std::filesystem::file_size(path));
}

// The same database saved and opened encrypted with its read password: the key derivation
// (about half a second) plus the encryption, on top of the plain figures above.
void EncryptedDatabaseWriteAndRead(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    Database& database = TheSamples().DatabaseOf(count);
    database.ReadPassword = EncipherPassword("secret");
    database.Encrypted = true;
    const std::string path = TheSamples().ScratchFile();
    double saveSeconds = 0;
    double openSeconds = 0;
    // Processor time too: on a machine shared with builds it says more than the clock.
    double saveProcessor = 0;
    double openProcessor = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t startProcessor = std::clock();
        SaveDatabaseFile(path, database);
        const auto saved = std::chrono::steady_clock::now();
        const std::clock_t savedProcessor = std::clock();
        Database opened;
        const DatabaseReadResult result =
            ReadDatabaseFile(path, opened, ReadMode::Replace, {}, FileKey::Open(path, "secret"));
        const auto read = std::chrono::steady_clock::now();
        const std::clock_t readProcessor = std::clock();
        if (!result.Ok() || opened.RecordList.size() != static_cast<std::size_t>(count)) {
            state.SkipWithError(
                ("the encrypted file does not read back: " + result.Reason).c_str());
            break;
        }
        saveSeconds += std::chrono::duration<double>(saved - start).count();
        openSeconds += std::chrono::duration<double>(read - saved).count();
        saveProcessor += static_cast<double>(savedProcessor - startProcessor) / CLOCKS_PER_SEC;
        openProcessor += static_cast<double>(readProcessor - savedProcessor) / CLOCKS_PER_SEC;
    }
    database.Encrypted = false;
    database.ReadPassword.clear();
    state.counters["save_s"] = saveSeconds / static_cast<double>(state.iterations());
    state.counters["open_s"] = openSeconds / static_cast<double>(state.iterations());
    state.counters["save_cpu_s"] = saveProcessor / static_cast<double>(state.iterations());
    state.counters["open_cpu_s"] = openProcessor / static_cast<double>(state.iterations());
    ReportThroughput(state, count, std::filesystem::file_size(path));
}

// The key derivation alone, with the limits every save uses and every open of such a file: the
// part of the encrypted figures that does not grow with the database.
void KeyDerivation(benchmark::State& state)
{
    for (auto _ : state) {
        std::string bytes;
        StringSink out(bytes);
        EncryptingSink sink(out, "secret");
        sink.Finish();
        benchmark::DoNotOptimize(bytes.data());
    }
}

BENCHMARK(DatabaseWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DatabaseWriteInMemory)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(DatabaseRead)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(PlainFileRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ToolCheckProcess)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CatProcess)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SaveWithBackup)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyFileAndSync)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(KeyDerivation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(EncryptedDatabaseWriteAndRead)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
