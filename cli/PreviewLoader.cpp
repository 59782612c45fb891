// Finds and loads the preview's drawing library: beside the program (the
// build folder), else where it is installed.
#include "cli/PreviewPlugin.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

namespace corvane {

namespace {

constexpr const char* kLibrary = "libcorvane_preview.so";

std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    const std::string exe(path, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/') + 1);
}

}  // namespace

PreviewResult DrawPreview(const Model& model, int width, int height, bool staadAxes, const char* format, std::string* picture,
                          std::string* problem, ThreadFailure threadFailed) {
    using Draw = int (*)(const Model*, int, int, int, const char*, std::string*, ThreadFailure);
    static Draw draw = nullptr;
    if (!draw) {
        std::string errors;
        for (const std::string& folder : {ProgramFolder(), std::string(CORVANE_PLUGIN_DIR) + "/"}) {
            void* library = ::dlopen((folder + kLibrary).c_str(), RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                const char* e = ::dlerror();
                errors += std::string(errors.empty() ? "" : "; ") + (e ? e : kLibrary);
                continue;
            }
            draw = reinterpret_cast<Draw>(::dlsym(library, "corvane_draw_preview"));
            if (draw) break;
        }
        if (!draw) {
            *problem = errors;
            return PreviewResult::NotAvailable;
        }
    }
    return static_cast<PreviewResult>(draw(&model, width, height, staadAxes ? 1 : 0, format, picture, threadFailed));
}

}  // namespace corvane
