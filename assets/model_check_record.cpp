#include "assets/model_check_record.hpp"

#include "platform/atomic_file.hpp"
#include "platform/content_hash.hpp"
#include "platform/regular_file.hpp"
#include "platform/user_dirs.hpp"
#include "platform/whole_number.hpp"
#include "platform/working_directory.hpp"

#include <assimp/version.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// A new number when the helper's import changes what it checks, so old verdicts are not trusted.
// 2: files are known by a fingerprint of their bytes, no longer by size and modification time.
constexpr int recordVersion = 2;

constexpr std::array<const char*, 4> kindNames{"imports", "fails", "crashes", "hangs"};

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
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

std::string hex(std::uint64_t value)
{
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, 16);
    return std::string(digits, end);
}

} // namespace

ModelCheckRecord::ModelCheckRecord(std::string file) : file_(std::move(file))
{
    if (file_.empty())
        return;
    std::string error;
    const std::optional<std::string> text = RegularFile::read(file_, maxRecordBytes, error);
    if (!text)
        return;
    const std::vector<std::string> lines = split(*text, '\n');
    if (lines.front() != header())
        return;
    std::for_each(lines.begin() + 1, lines.end(), [this](const std::string& line) { parse(line); });
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
    std::vector<std::string> paths{key};
    for (const std::string& file : filesRead)
        if (const std::string path = absolute(file);
            std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    Entry entry{ModelVerdict{verdict.kind, oneLine(verdict.message)}, {}};
    for (const std::string& path : paths) {
        const std::optional<Stamp> stamp = stampOf(path);
        if (!stamp || !fitsOnALine(path))
            return;
        entry.files.push_back(*stamp);
    }
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
    fs::create_directories(fs::path(file_).parent_path(), error);
    std::string text = header() + '\n';
    for (const auto& [modelPath, entry] : entries_)
        if (!isGone(modelPath))
            text += format(modelPath, entry) + '\n';
    // Whatever is at the record's name (a link, a pipe, a damaged file) is replaced, never written through.
    return AtomicFile::write(file_, text).ok;
}

std::string ModelCheckRecord::defaultFile()
{
    const fs::path folder = UserDirs::cache();
    return folder.empty() ? std::string() : (folder / "model-check").string();
}

// Bit rot, "cp -p", "tar" or a same-size rewrite keep a file's size and time: only its bytes tell.
std::optional<ModelCheckRecord::Stamp> ModelCheckRecord::stampOf(const std::string& absolutePath)
{
    if (const std::optional<ContentHash> content =
            ContentHash::ofFile(WorkingDirectory::reach(absolutePath).string(), maxFileBytes))
        return Stamp{absolutePath, static_cast<long long>(content->size), content->hash};
    if (isGone(absolutePath))
        return Stamp{absolutePath};
    return std::nullopt;
}

bool ModelCheckRecord::isGone(const std::string& absolutePath)
{
    struct stat status {};
    return ::stat(WorkingDirectory::reach(absolutePath).c_str(), &status) != 0 && errno == ENOENT;
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

// kind TAB message TAB model path TAB count, then count times: TAB size TAB hash (hexadecimal) TAB path.
// The model file is the first of the files.
void ModelCheckRecord::parse(const std::string& line)
{
    constexpr std::size_t fixedFields = 4;
    constexpr std::size_t fieldsPerFile = 3;
    const std::vector<std::string> fields = split(line, '\t');
    if (fields.size() < fixedFields)
        return;
    Entry entry;
    std::size_t kind = 0;
    while (kind < kindNames.size() && fields[0] != kindNames[kind])
        ++kind;
    // The count is checked against the fields there are before it is multiplied: a damaged count
    // must not wrap around to a small number.
    const std::optional<std::size_t> count = wholeNumber<std::size_t>(fields[3]);
    if (kind == kindNames.size() || !count || *count < 1 ||
        *count > (fields.size() - fixedFields) / fieldsPerFile ||
        fields.size() != fixedFields + fieldsPerFile * *count)
        return;
    entry.verdict = ModelVerdict{static_cast<ModelVerdict::Kind>(kind), fields[1]};
    for (std::size_t at = fixedFields; at < fields.size(); at += fieldsPerFile) {
        const std::optional<long long> size = wholeNumber<long long>(fields[at]);
        const std::optional<std::uint64_t> hash = wholeNumber<std::uint64_t>(fields[at + 1], 16);
        if (!size || *size < -1 || !hash)
            return;
        entry.files.push_back(Stamp{fields[at + 2], *size, *hash});
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
        line << '\t' << stamp.size << '\t' << hex(stamp.hash) << '\t' << stamp.path;
    return line.str();
}
