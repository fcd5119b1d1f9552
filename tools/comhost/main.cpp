// comhost: a deliverable DLL hosted as the host sequencer hosts it.
//
//   comhost [--via registry|direct|both] [--settings FILE] [--show N] [--page-picture FILE.png]
//           PLUGIN.dll SONG.mid
//
// Loads the plug-in through the registry (registering it for the run when it
// is not yet registered) and/or straight through its DllGetClassObject, plays
// the song's channel events through it beat by beat, and prints what came
// out: counts by kind, the first events and a digest of the output bytes.
// With both ways, it also says whether they gave the same output. With
// --page-picture it then opens the editor page of the effect it hosted
// through DllGetClassObject, as the host would, and saves a picture of it.
// Exit status: 0 done, 1 a plug-in could not be hosted, 2 bad arguments or song.
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "tools/comhost/output_report.h"
#include "tools/comhost/page_picture.h"
#include "tools/comhost/plugin_loading.h"
#include "tools/comhost/song_run.h"
#include "tools/nuvfx/file_io.h"

namespace {

using namespace nuv::comhost;
using nuv::HostEvent;

struct Options {
    std::string via = "both";
    std::string settingsPath;
    int show = 8;
    std::string pagePicture;
    std::string plugin;
    std::string song;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--via" && hasValue) {
            options.via = argv[++i];
        } else if (arg == "--settings" && hasValue) {
            options.settingsPath = argv[++i];
        } else if (arg == "--show" && hasValue) {
            options.show = std::atoi(argv[++i]);
        } else if (arg == "--page-picture" && hasValue) {
            options.pagePicture = argv[++i];
        } else if (options.plugin.empty() && arg.rfind("--", 0) != 0) {
            options.plugin = arg;
        } else if (options.song.empty() && arg.rfind("--", 0) != 0) {
            options.song = arg;
        } else {
            return false;
        }
    }
    // The picture is of the page of the effect hosted through the exports.
    return !options.plugin.empty() && !options.song.empty() &&
           (options.via == "registry" || options.via == "direct" || options.via == "both") &&
           (options.pagePicture.empty() || options.via != "registry");
}

// Hosts the plug-in one way; false when it could not be hosted.
bool HostOnce(const char* way, const LoadedEffect& loaded, const Song& song, const std::vector<std::uint8_t>& settings,
              int show, std::vector<HostEvent>& output) {
    if (!loaded.effect) {
        std::printf("%s: %s\n", way, loaded.failure.c_str());
        return false;
    }
    const RunResult result = RunSong(loaded.effect.Get(), song, settings);
    std::printf("%s: class %ls\n", way, loaded.className.c_str());
    PrintReport(result, song, show);
    output = result.output;
    return SUCCEEDED(result.connect);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: comhost [--via registry|direct|both] [--settings FILE] [--show N] "
                     "[--page-picture FILE.png] PLUGIN.dll SONG.mid\n");
        return 2;
    }
    Song song;
    std::vector<std::uint8_t> settings;
    try {
        song = ReadSong(options.song);
        if (!options.settingsPath.empty()) settings = nuv::nuvfx::ReadWholeFile(options.settingsPath);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "comhost: %s\n", failure.what());
        return 2;
    }

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring plugin = FullPath(Widened(options.plugin));
    std::printf("%s: %lu song events, %d ticks per beat\n", options.plugin.c_str(), static_cast<unsigned long>(song.events.size()),
                song.ticksPerBeat);
    bool hosted = true;
    std::vector<HostEvent> throughRegistry;
    std::vector<HostEvent> throughExports;
    if (options.via != "direct") {
        RegistrySession session(plugin);
        hosted = HostOnce("through the registry", session.Create(), song, settings, options.show, throughRegistry) &&
                 hosted;
    }
    if (options.via != "registry") {
        Library library(plugin);
        const LoadedEffect loaded = CreateDirectly(library);
        hosted = HostOnce("through DllGetClassObject", loaded, song, settings, options.show, throughExports) && hosted;
        if (!options.pagePicture.empty() && loaded.effect) {
            const std::string failure = SavePagePicture(library, loaded.effect.Get(), Widened(options.pagePicture));
            std::printf("page picture: %s\n", failure.empty() ? options.pagePicture.c_str() : failure.c_str());
            hosted = failure.empty() && hosted;
        }
    }
    if (options.via == "both" && hosted)
        std::printf("same output both ways: %s\n", SameEvents(throughRegistry, throughExports) ? "yes" : "no");
    CoUninitialize();
    return hosted ? 0 : 1;
}
