// The album's page of 9 X 9 photographs of 12 megapixels each: how soon the first pictures
// show, how long until the page is complete, and the same page shown again from the cache.

#include "engine/pictures/picture_library.h"
#include "engine/pictures/thumbnails.h"

#include <benchmark/benchmark.h>

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <jpeglib.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

using namespace quillmark;
using Clock = std::chrono::steady_clock;

constexpr int PageSize = 81;
// A 9 X 9 page on a 1280 X 1024 screen.
constexpr int CellWidth = 121;
constexpr int CellHeight = 96;

// A photograph-like picture of 4000 X 3000: smooth colour with fine detail, as a camera's.
std::string MakePhoto()
{
    constexpr int width = 4000;
    constexpr int height = 3000;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(width) * 3);
    unsigned noise = 12345;
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = static_cast<int>((noise >> 16) & 15);
            row[static_cast<std::size_t>(x) * 3] =
                static_cast<JSAMPLE>((x * 255 / width + grain) & 255);
            row[static_cast<std::size_t>(x) * 3 + 1] =
                static_cast<JSAMPLE>((y * 255 / height + grain) & 255);
            row[static_cast<std::size_t>(x) * 3 + 2] =
                static_cast<JSAMPLE>(((x + y) / 40 + grain) & 255);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// 81 files of one photograph, each under its own name, as a page of records holds them.
const std::vector<std::string>& PageFiles()
{
    static const std::vector<std::string> files = [] {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / "quillmark-album-bench";
        std::filesystem::create_directories(folder);
        const std::string photo = MakePhoto();
        std::vector<std::string> names;
        for (int i = 0; i < PageSize; ++i) {
            const std::string name = (folder / ("photo" + std::to_string(i) + ".jpg")).string();
            std::ofstream(name, std::ios::binary) << photo;
            names.push_back(name);
        }
        return names;
    }();
    return files;
}

std::vector<ThumbnailRequest> PageRequests(PictureFit fit)
{
    std::vector<ThumbnailRequest> requests;
    for (const std::string& file : PageFiles()) {
        requests.push_back({file, CellWidth, CellHeight, fit});
    }
    return requests;
}

int Workers()
{
    return 2;  // the machine's cores
}

// A page shown on a new album: every picture asked for at once, as the grid's first drawing
// does; timed until the first one and until the last one has arrived.
void AlbumPageFirstShow(benchmark::State& state)
{
    const auto fit = static_cast<PictureFit>(state.range(0));
    const std::vector<ThumbnailRequest> requests = PageRequests(fit);
    double firstSeconds = 0;
    for (auto _ : state) {
        ThumbnailCache cache(Workers());
        std::mutex mutex;
        std::condition_variable arrived;
        int arrivals = 0;
        Clock::time_point first;
        cache.SetArrived([&] {
            const std::lock_guard lock(mutex);
            if (arrivals++ == 0) {
                first = Clock::now();
            }
            arrived.notify_all();
        });
        const Clock::time_point start = Clock::now();
        for (const ThumbnailRequest& request : requests) {
            benchmark::DoNotOptimize(cache.Find(request));
        }
        std::unique_lock lock(mutex);
        arrived.wait(lock, [&] { return arrivals == PageSize; });
        firstSeconds += std::chrono::duration<double>(first - start).count();
    }
    state.counters["first_picture_ms"] =
        benchmark::Counter(firstSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(AlbumPageFirstShow)
    ->Arg(static_cast<int>(PictureFit::Corner))
    ->Arg(static_cast<int>(PictureFit::Whole))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The same page drawn again: every picture from the cache.
void AlbumPageShownAgain(benchmark::State& state)
{
    const auto fit = static_cast<PictureFit>(state.range(0));
    const std::vector<ThumbnailRequest> requests = PageRequests(fit);
    ThumbnailCache cache(0);
    for (const ThumbnailRequest& request : requests) {
        cache.Find(request);
    }
    for (auto _ : state) {
        for (const ThumbnailRequest& request : requests) {
            benchmark::DoNotOptimize(cache.Find(request));
        }
    }
}
BENCHMARK(AlbumPageShownAgain)
    ->Arg(static_cast<int>(PictureFit::Corner))
    ->Arg(static_cast<int>(PictureFit::Whole))
    ->Unit(benchmark::kMillisecond);

// What one picture costs decoded whole at its own size, as the picture page does.
void FullSizePhoto(benchmark::State& state)
{
    const std::string& file = PageFiles().front();
    for (auto _ : state) {
        benchmark::DoNotOptimize(NViewLibLoad(file, 0));
    }
}
BENCHMARK(FullSizePhoto)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
