// The picture of the analysis model, made off the window's thread: the
// input read as the full conversion reads it, linked with renumbering,
// built into the structural model and meshed, then drawn as joints,
// members and shells (BuildMeshedPicture).
#pragma once

#include "picture/PictureModel.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace corvane {

// The analysis model's picture of the input at `path`; nothing, with
// *failure saying why, when the input cannot be read, is no table export,
// changed while it was read, or memory ran out.
std::shared_ptr<const PictureModel> AnalysisPictureOf(const std::string& path, std::string* failure);

// One thread that makes analysis pictures, started by the first request.
// It holds at most one waiting request: a newer one replaces it. Each
// picture is handed to `deliver` on the worker with the request's ticket
// (the caller's number for the model it asked about).
class AnalysisPictureWorker {
public:
    using Deliver = std::function<void(std::uint64_t ticket, std::shared_ptr<const PictureModel> picture, std::string failure)>;

    explicit AnalysisPictureWorker(Deliver deliver) : deliver_(std::move(deliver)) {}
    // Waits for a picture being made; a waiting request is dropped.
    ~AnalysisPictureWorker();

    void Request(const std::string& path, std::uint64_t ticket);

private:
    struct Job {
        std::string path;
        std::uint64_t ticket;
    };
    void Run();

    Deliver deliver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace corvane
