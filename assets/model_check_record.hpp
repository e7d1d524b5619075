#pragma once
// What earlier start-ups found out about model files, kept in the user's cache folder so that a file
// that holds the same bytes as then is not imported in a helper process again.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What importing a model file does.
struct ModelVerdict {
    enum class Kind { Imports, Fails, Crashes, Hangs };
    Kind kind = Kind::Imports;
    std::string message; // the importer's error text when it fails; how it crashed otherwise
};

class ModelCheckRecord {
public:
    static constexpr std::size_t maxRecordBytes = std::size_t{4} << 20;
    // A larger model file (or file read by its import) is checked again at every start.
    static constexpr std::size_t maxFileBytes = std::size_t{64} << 20;

    // Reads the record file. One that is missing, not a regular file, larger than maxRecordBytes,
    // unreadable, or written by another version of the game or the importer library counts as empty
    // (and is replaced at the next save); lines it cannot parse are dropped.
    explicit ModelCheckRecord(std::string file);

    // The remembered verdict of a model file, provided that it and every file its import read (a
    // material file, say) hold the same bytes as then, and files missing then are still missing.
    std::optional<ModelVerdict> find(const std::string& modelPath) const;

    // Remembers the verdict with a fingerprint of every file the import read; nothing is remembered
    // when one of them cannot be read in full.
    void remember(const std::string& modelPath, const ModelVerdict& verdict,
                  const std::vector<std::string>& filesRead);

    // Writes the record, when it changed, to a new file beside the old one and renames it into place.
    // False when the folder or the file cannot be written (the record is only a cache).
    bool save() const;

    // $XDG_CACHE_HOME/quarvel/model-check, with ~/.cache when that variable is unset or not absolute;
    // empty when there is no home folder either.
    static std::string defaultFile();

private:
    struct Stamp {
        std::string path;    // absolute
        long long size = -1; // -1: missing
        std::uint64_t hash = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        ModelVerdict verdict;
        std::vector<Stamp> files;
    };

    // Nothing when the file is there but cannot be read in full.
    static std::optional<Stamp> stampOf(const std::string& absolutePath);
    static bool isGone(const std::string& absolutePath);
    static std::string absolute(const std::string& path);
    static std::string header();
    void parse(const std::string& line);
    static std::string format(const std::string& modelPath, const Entry& entry);

    std::string file_;
    std::map<std::string, Entry> entries_; // by absolute model path
    bool changed_ = false;
};
