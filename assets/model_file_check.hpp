#pragma once
// Imports model files in helper processes before the game opens its window, so that a file which
// crashes or hangs the importer library costs the game that model and nothing else.

#include "assets/import_helper.hpp"
#include "assets/model_check_record.hpp"

#include <string>
#include <vector>

class ModelFileCheck {
public:
    struct Finding {
        std::string path;
        ModelVerdict verdict;
    };

    // Verdicts are remembered in the record file (nowhere when it is empty).
    explicit ModelFileCheck(std::string recordFile);
    ModelFileCheck(std::string recordFile, const ImportLimits& limits);

    // The verdict for each file, in order: remembered ones from the record, the others from a few
    // helper processes that import the files as the game does. A helper is a fork of this process:
    // call it while the process has a single thread, before GL or any library starts threads.
    std::vector<Finding> check(const std::vector<std::string>& files);

    // Every regular file under the folder whose name the importer library reads as a model, sorted.
    static std::vector<std::string> modelFilesUnder(const std::string& folder);

private:
    void runHelpers(const std::vector<std::string>& files, const std::vector<std::size_t>& unknown,
                    std::vector<Finding>& findings);

    ModelCheckRecord record_;
    ImportLimits limits_;
};
