#include "app/AnalysisPicture.h"

#include "driver/AnalysisModel.h"
#include "driver/Files.h"
#include "driver/Session.h"
#include "picture/BuildMeshedPicture.h"

#include <new>
#include <system_error>

namespace corvane {

std::shared_ptr<const PictureModel> AnalysisPictureOf(const std::string& path, std::string* failure) {
    try {
        int error = 0;
        auto text = InputText::Load(path, &error);
        if (!text) {
            *failure = "Cannot read " + DescribeFileError(path, error);
            return nullptr;
        }
        if (!text->HasTableItem()) {
            *failure = path + ": not a SAP2000 table export (no TABLE: line)";
            return nullptr;
        }
        Report report;  // the conversion reports what it leaves out; the picture has no use for it
        const Structure structure = StructureOf(*text, report);
        if (text->Changed()) {
            *failure = InputChangedMessage(path);
            return nullptr;
        }
        return std::make_shared<const PictureModel>(BuildMeshedPicture(structure));
    } catch (const std::bad_alloc&) {
        *failure = OutOfMemoryMessage(path);
    } catch (const std::exception& e) {
        *failure = e.what();
    }
    return nullptr;
}

AnalysisPictureWorker::~AnalysisPictureWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void AnalysisPictureWorker::Request(const std::string& path, std::uint64_t ticket) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_ = Job{path, ticket};
    }
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error& e) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                pending_.reset();
            }
            deliver_(ticket, nullptr, ThreadFailureMessage(path, e.code().value()));
            return;
        }
    }
    wake_.notify_one();
}

void AnalysisPictureWorker::Run() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stop_ || pending_; });
            if (stop_) return;
            job = std::move(*pending_);
            pending_.reset();
        }
        std::string failure;
        auto picture = AnalysisPictureOf(job.path, &failure);
        deliver_(job.ticket, std::move(picture), std::move(failure));
    }
}

}  // namespace corvane
