#include "assets/model_check_record.hpp"

#include "platform/user_dirs.hpp"

#include <assimp/version.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A new number when the helper's import changes what it checks, so old verdicts are not trusted.
constexpr int recordVersion = 1;

constexpr std::array<const char*, 4> kindNames{"imports", "fails", "crashes", "hangs"};

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Tabs and line breaks would break the line format; a message loses them, a path that has them is not kept.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

bool fitsOnALine(const std::string& path)
{
    return path.find_first_of("\t\n\r") == std::string::npos;
}

std::optional<long long> number(const std::string& text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end ? std::optional<long long>(value) : std::nullopt;
}

} // namespace

ModelCheckRecord::ModelCheckRecord(std::string file) : file_(std::move(file))
{
    std::ifstream in(file_);
    std::string line;
    if (file_.empty() || !std::getline(in, line) || line != header())
        return;
    while (std::getline(in, line))
        parse(line);
}

std::optional<ModelVerdict> ModelCheckRecord::find(const std::string& modelPath) const
{
    const auto entry = entries_.find(absolute(modelPath));
    if (entry == entries_.end())
        return std::nullopt;
    for (const Stamp& stamp : entry->second.files)
        if (stampOf(stamp.path) != stamp)
            return std::nullopt;
    return entry->second.verdict;
}

void ModelCheckRecord::remember(const std::string& modelPath, const ModelVerdict& verdict,
                                const std::vector<std::string>& filesRead)
{
    const std::string key = absolute(modelPath);
    Entry entry{ModelVerdict{verdict.kind, oneLine(verdict.message)}, {stampOf(key)}};
    for (const std::string& file : filesRead) {
        const std::string path = absolute(file);
        if (!fitsOnALine(path))
            return;
        if (path != key)
            entry.files.push_back(stampOf(path));
    }
    if (!fitsOnALine(key))
        return;
    entries_[key] = std::move(entry);
    changed_ = true;
}

bool ModelCheckRecord::save() const
{
    if (!changed_)
        return true;
    if (file_.empty())
        return false;
    std::error_code error;
    const fs::path target(file_);
    fs::create_directories(target.parent_path(), error);
    const fs::path fresh = target.string() + "." + std::to_string(::getpid()) + ".new";
    {
        std::ofstream out(fresh);
        out << header() << '\n';
        for (const auto& [modelPath, entry] : entries_)
            if (stampOf(modelPath).size >= 0) // files that are gone are forgotten
                out << format(modelPath, entry) << '\n';
        out.flush();
        if (!out) {
            fs::remove(fresh, error);
            return false;
        }
    }
    fs::rename(fresh, target, error);
    if (error) {
        fs::remove(fresh, error);
        return false;
    }
    return true;
}

std::string ModelCheckRecord::defaultFile()
{
    const fs::path folder = UserDirs::cache();
    return folder.empty() ? std::string() : (folder / "model-check").string();
}

ModelCheckRecord::Stamp ModelCheckRecord::stampOf(const std::string& absolutePath)
{
    Stamp stamp{absolutePath};
    struct stat status {};
    if (::stat(absolutePath.c_str(), &status) != 0)
        return stamp;
    stamp.size = static_cast<long long>(status.st_size);
    stamp.modified = static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000LL + status.st_mtim.tv_nsec;
    return stamp;
}

std::string ModelCheckRecord::absolute(const std::string& path)
{
    std::error_code error;
    const fs::path full = fs::absolute(path, error);
    return error ? path : full.lexically_normal().string();
}

// Verdicts hold for one import as this game does it with one version of the importer library.
std::string ModelCheckRecord::header()
{
    std::ostringstream text;
    text << "quarvel model check " << recordVersion << ", assimp " << aiGetVersionMajor() << '.'
         << aiGetVersionMinor() << '.' << aiGetVersionPatch() << '.' << aiGetVersionRevision();
    return text.str();
}

// kind TAB message TAB model path TAB count, then count times: TAB size TAB modification time TAB path.
// The model file is the first of the files.
void ModelCheckRecord::parse(const std::string& line)
{
    const std::vector<std::string> fields = splitTabs(line);
    if (fields.size() < 4)
        return;
    Entry entry;
    std::size_t kind = 0;
    while (kind < kindNames.size() && fields[0] != kindNames[kind])
        ++kind;
    const std::optional<long long> count = number(fields[3]);
    if (kind == kindNames.size() || !count || *count < 1 ||
        fields.size() != 4 + 3 * static_cast<std::size_t>(*count))
        return;
    entry.verdict = ModelVerdict{static_cast<ModelVerdict::Kind>(kind), fields[1]};
    for (std::size_t at = 4; at < fields.size(); at += 3) {
        const std::optional<long long> size = number(fields[at]);
        const std::optional<long long> modified = number(fields[at + 1]);
        if (!size || !modified)
            return;
        entry.files.push_back(Stamp{fields[at + 2], *size, *modified});
    }
    if (entry.files.front().path != fields[2])
        return;
    entries_[fields[2]] = std::move(entry);
}

std::string ModelCheckRecord::format(const std::string& modelPath, const Entry& entry)
{
    std::ostringstream line;
    line << kindNames[static_cast<std::size_t>(entry.verdict.kind)] << '\t' << entry.verdict.message << '\t'
         << modelPath << '\t' << entry.files.size();
    for (const Stamp& stamp : entry.files)
        line << '\t' << stamp.size << '\t' << stamp.modified << '\t' << stamp.path;
    return line.str();
}
