// What a settings save costs the thread that runs it (the window's, the server's): a save that
// gets the lock (read, temporary, two flushes to disk, rename), and one that meets a lock
// another user's program holds and gives up. Wall time: the save waits on the disk and the lock.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "core/Messages.h"
#include "settings/IniFileStore.h"

namespace {

namespace fs = std::filesystem;

struct Ignored : orvex::MessageSink {
    void post(std::string) override {}
};

const orvex::SettingsStore::Values PowerOff{{"AUDIO", "3"},
                                            {"SQL", "0.25"},
                                            {"OFF_FREQUENCY", "137125"},
                                            {"STEP_FREQ", "10"},
                                            {"PORT", "888"}};

fs::path benchFolder() {
    const fs::path folder =
        fs::temp_directory_path() / ("orvex-save-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

void freeLock(benchmark::State& run) {
    const fs::path folder = benchFolder();
    Ignored messages;
    orvex::IniFileStore store(folder / "ORVEX.ini", messages);
    for (auto _ : run) {
        benchmark::DoNotOptimize(store.save(PowerOff));
    }
    fs::remove_all(folder);
}

void heldLock(benchmark::State& run) {
    const fs::path folder = benchFolder();
    Ignored messages;
    orvex::IniFileStore store(folder / "ORVEX.ini", messages);
    store.save(PowerOff);
    const int held = ::open((folder / "ORVEX.ini.lock").c_str(), O_RDONLY);
    ::flock(held, LOCK_EX);
    for (auto _ : run) {
        if (store.save(PowerOff)) {
            run.SkipWithError("the save got a lock that is held");
            break;
        }
    }
    ::close(held);
    fs::remove_all(folder);
}

}  // namespace

BENCHMARK(freeLock)->Name("settings_save/free")->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(heldLock)
    ->Name("settings_save/held_lock")
    ->UseRealTime()
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
