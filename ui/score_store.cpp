#include "ui/score_store.hpp"

#include "platform/atomic_file.hpp"
#include "platform/file_lock.hpp"
#include "platform/regular_file.hpp"
#include "platform/user_dirs.hpp"

#include <ctime>
#include <filesystem>
#include <ostream>

std::string ScoreStore::defaultDirectory()
{
    return UserDirs::data().string();
}

ScoreStore::ScoreStore(std::string directory, std::ostream& notes)
    : directory_(std::move(directory)), path_(directory_ + "/scores"), notes_(notes)
{
}

ScoreStore::Result ScoreStore::record(const ScoreEntry& entry)
{
    Result result;
    if (!ensureDirectory()) {
        result.rank = result.table.insert(entry);
        return result;
    }
    const std::string lockPath = directory_ + "/scores.lock";
    const FileLock lock(lockPath, lockWait);
    if (lock.state() == FileLock::State::InUse)
        notes_ << "Quarvel: score not saved: the table is in use (another game holds " << lockPath << ")\n";
    else if (!lock.held())
        noteNotSaved(lockPath + ": " + lock.error());
    // Without the lock the table is only shown: a writer holding it may be replacing it right now.
    const std::optional<ScoreTable> onDisk = readTable(lock.held());
    result.table = onDisk.value_or(ScoreTable{});
    result.rank = result.table.insert(entry);
    result.saved = lock.held() && onDisk && replaceTable(result.table.text());
    return result;
}

ScoreTable ScoreStore::look() const
{
    std::string error;
    const std::optional<std::string> text = RegularFile::read(path_, maxTableBytes, error);
    return text ? ScoreTable::read(*text).table : ScoreTable{};
}

bool ScoreStore::ensureDirectory()
{
    if (directory_.empty()) {
        noteNotSaved("no home directory is known");
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(directory_, error);
    if (error)
        noteNotSaved(directory_ + ": " + error.message());
    return !error;
}

// The table on disk; nothing when it must not be replaced (it cannot be read, or what is in it could
// not be kept elsewhere first).
std::optional<ScoreTable> ScoreStore::readTable(bool mayRepair)
{
    RegularFile file(path_);
    const std::optional<std::string> text = file.readAll(maxTableBytes);
    switch (file.problem()) {
    case RegularFile::Problem::None:
        break;
    case RegularFile::Problem::Missing:
        return ScoreTable{};
    case RegularFile::Problem::NotRegular:
    case RegularFile::Problem::TooLarge:
        if (mayRepair && !setAside(file.error()))
            return std::nullopt;
        return ScoreTable{};
    case RegularFile::Problem::Unreadable:
        noteNotSaved(path_ + ": " + file.error());
        return std::nullopt;
    }
    const ScoreTable::Parsed parsed = ScoreTable::read(*text);
    if (parsed.badLines > 0 && mayRepair && !keepDamagedCopy(*text, parsed.badLines))
        return std::nullopt;
    return parsed.table;
}

bool ScoreStore::setAside(const std::string& why)
{
    const AtomicFile::Result moved = AtomicFile::setAside(path_, setAsideStem());
    if (!moved.ok) {
        noteNotSaved(path_ + " cannot be used (" + why + ") nor set aside (" + moved.error + ")");
        return false;
    }
    noteDamage("the high-score table " + path_ + " cannot be used (" + why + "); set it aside as " +
               moved.path + " and started a fresh one");
    return true;
}

// The good lines go on in the table; the table as it was stays readable for whoever edited it.
bool ScoreStore::keepDamagedCopy(const std::string& text, std::size_t badLines)
{
    const AtomicFile::Result kept = AtomicFile::keepCopy(text, setAsideStem());
    if (!kept.ok) {
        noteNotSaved(path_ + " has lines that are not scores, and keeping a copy failed (" + kept.error +
                     ")");
        return false;
    }
    noteDamage(std::to_string(badLines) + (badLines == 1 ? " line" : " lines") + " of the high-score table " +
               path_ + (badLines == 1 ? " is" : " are") +
               " not a score and left out; the table as it was is kept as " + kept.path);
    return true;
}

// "scores.bad.<local time>"; AtomicFile adds ".2", ".3"... to a name already taken.
std::string ScoreStore::setAsideStem() const
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return path_ + ".bad." + stamp;
}

// Writes the whole table beside the old one (beside a link's target) and renames it into place, so a
// reader finds either the old table or the new one, never a part.
bool ScoreStore::replaceTable(const std::string& text)
{
    AtomicFile::Options options;
    options.followLinks = true; // a table kept in a synced folder keeps its link
    options.beforeReplace = beforeReplace;
    const AtomicFile::Result written = AtomicFile::write(path_, text, options);
    if (!written.ok)
        noteNotSaved(written.error);
    return written.ok;
}

void ScoreStore::noteDamage(const std::string& note)
{
    if (damageReported_)
        return;
    damageReported_ = true;
    notes_ << "Quarvel: " << note << '\n';
}

void ScoreStore::noteNotSaved(const std::string& why)
{
    if (notSavedReported_)
        return;
    notSavedReported_ = true;
    notes_ << "Quarvel: high scores are not saved (" << why << "); play goes on\n";
}
