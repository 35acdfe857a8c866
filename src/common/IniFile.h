#pragma once
// The settings file: an INI file in code page 1250 with CR LF line ends.
//
// Section and key names are compared without regard to letter case; values are trimmed.
// Lines the program does not understand, and sections and keys it does not use, are kept
// where they stand. Writing a key replaces it in place or appends it to its section; a
// missing section is appended to the file. Every write reaches the disk at once, through a
// temporary file renamed over the old one, so a crash never leaves half a file behind.
// Nothing that is not a settings file of ours is ever written over: an existing file that
// could not be read whole is left as it is, and a link is written through only to a
// regular file.

#include <stdexcept>
#include <string>
#include <vector>

class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& path);
    [[nodiscard]] const std::string& Path() const { return path_; }

private:
    std::string path_;
};

class IniFile {
public:
    // Reads the file if it exists; a missing file, or something other than a regular file
    // in its place, reads as empty.
    explicit IniFile(std::string path);

    [[nodiscard]] const std::string& Path() const { return path_; }

    // A file exists but could not be read whole (no permission, a read error, or larger than
    // any settings file of ours). It reads as empty, and writes change only the copy in
    // memory: writing over it would destroy settings and lines of others that were never read.
    [[nodiscard]] bool Unreadable() const { return unreadable_; }

    // A missing, empty or non-numeric value gives `def`; "0x"/"0X" with digits is hexadecimal.
    [[nodiscard]] int ReadInteger(const std::string& section, const std::string& key,
                                  int def) const;
    // Read as an integer with the default 1 or 0; non-zero is true.
    [[nodiscard]] bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    // At most 2047 characters.
    [[nodiscard]] std::string ReadString(const std::string& section, const std::string& key,
                                         const std::string& def) const;

    // Each throws IniWriteError when the file cannot be written.
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

    // Between HoldWrites and ReleaseWrites the writes change only the copy in memory, and
    // ReleaseWrites puts them on the disk in one replacement (throwing IniWriteError when it
    // cannot): the settings written at the end of a run land together or not at all.
    void HoldWrites();
    void ReleaseWrites();

    // Holds the writes for as long as it lives; releases them only through Commit, so an
    // exception on the way leaves the file on the disk as it was.
    class Batch {
    public:
        explicit Batch(IniFile& ini) : ini_(ini) { ini_.HoldWrites(); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        ~Batch() {
            if (!committed_) {
                --ini_.holdDepth_;
            }
        }
        void Commit() {
            committed_ = true;
            ini_.ReleaseWrites();
        }

    private:
        IniFile& ini_;
        bool committed_ = false;
    };

private:
    std::string path_;
    std::vector<std::string> lines_; // the file as read, without line ends
    bool unreadable_ = false;
    int holdDepth_ = 0;
    bool held_ = false; // a held write is waiting for ReleaseWrites
};
