#include "app/model_check_step.hpp"

#include "assets/model_file_check.hpp"
#include "render/model.hpp"

#include <iostream>

void checkModelFiles(const std::string& folder)
{
    ModelFileCheck check(ModelCheckRecord::defaultFile());
    for (const ModelFileCheck::Finding& finding : check.check(ModelFileCheck::modelFilesUnder(folder))) {
        const ModelVerdict& verdict = finding.verdict;
        if (verdict.kind == ModelVerdict::Kind::Imports)
            continue;
        // A plain failure is the game's own to report, in the importer's words, when it loads the file.
        if (verdict.kind != ModelVerdict::Kind::Fails)
            std::cerr << "Model file check: " << verdict.message << "; the game goes on without this model"
                      << std::endl;
        Model::rememberFailure(finding.path, verdict.message);
    }
}
