#include "assets/model_file_check.hpp"


#include <assimp/Importer.hpp>
#include <poll.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A helper pays once for the importer's first use (its 16 MB read buffer is fresh memory), so a few
// helpers share the files rather than one helper per file.
constexpr unsigned mostHelpers = 4;

unsigned helperCount(std::size_t files)
{
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, mostHelpers);
    return static_cast<unsigned>(std::min<std::size_t>(cores, files));
}

int millisecondsUntil(ImportHelper::Clock::time_point when)
{
    using std::chrono::milliseconds;
    const auto left = std::chrono::duration_cast<milliseconds>(when - ImportHelper::Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()) + 1);
}

} // namespace

ModelFileCheck::ModelFileCheck(std::string recordFile)
    : ModelFileCheck(std::move(recordFile), ImportLimits{})
{
}

ModelFileCheck::ModelFileCheck(std::string recordFile, const ImportLimits& limits)
    : record_(std::move(recordFile)), limits_(limits)
{
}

std::vector<ModelFileCheck::Finding> ModelFileCheck::check(const std::vector<std::string>& files)
{
    std::vector<Finding> findings(files.size());
    std::vector<std::size_t> unknown;
    for (std::size_t i = 0; i < files.size(); ++i) {
        findings[i].path = files[i];
        if (const std::optional<ModelVerdict> known = record_.find(files[i]))
            findings[i].verdict = *known;
        else
            unknown.push_back(i);
    }
    if (!unknown.empty()) {
        runHelpers(files, unknown, findings);
        record_.save();
    }
    return findings;
}

// The unknown files are dealt out to the helpers; a helper that crashes or hangs on one file is
// replaced by a new one for the rest of its share.
void ModelFileCheck::runHelpers(const std::vector<std::string>& files,
                                const std::vector<std::size_t>& unknown, std::vector<Finding>& findings)
{
    const unsigned count = helperCount(unknown.size());
    std::vector<std::vector<std::size_t>> shares(count);
    for (std::size_t i = 0; i < unknown.size(); ++i)
        shares[i % count].push_back(unknown[i]);
    std::vector<std::unique_ptr<ImportHelper>> helpers;
    for (std::vector<std::size_t>& share : shares)
        helpers.push_back(std::make_unique<ImportHelper>(files, std::move(share), limits_));

    std::vector<ImportHelper::Result> results;
    while (!helpers.empty()) {
        std::vector<pollfd> waits;
        ImportHelper::Clock::time_point soonest = ImportHelper::Clock::time_point::max();
        for (const auto& helper : helpers) {
            waits.push_back(pollfd{helper->reportFd(), POLLIN, 0});
            // One that could not start has nothing to wait for.
            const bool started = helper->reportFd() >= 0;
            soonest = std::min(soonest, started ? helper->deadline() : ImportHelper::Clock::now());
        }
        ::poll(waits.data(), waits.size(), millisecondsUntil(soonest));
        for (std::size_t h = helpers.size(); h-- > 0;) {
            if (helpers[h]->collect(results))
                continue;
            const std::vector<std::size_t> rest = helpers[h]->remaining();
            helpers.erase(helpers.begin() + static_cast<std::ptrdiff_t>(h));
            if (!rest.empty())
                helpers.push_back(std::make_unique<ImportHelper>(files, rest, limits_));
        }
    }
    for (const ImportHelper::Result& result : results) {
        findings[result.file].verdict = result.verdict;
        if (result.lasting)
            record_.remember(files[result.file], result.verdict, result.filesRead);
    }
}

std::vector<std::string> ModelFileCheck::modelFilesUnder(const std::string& folder)
{
    std::vector<std::string> files;
    const Assimp::Importer importer; // knows which names are models
    std::error_code error;
    fs::recursive_directory_iterator walk(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        const fs::path& path = walk->path();
        if (walk->is_regular_file(error) && importer.IsExtensionSupported(path.extension().string()))
            files.push_back(path.lexically_normal().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}
