#pragma once
// Plain text lines to a file, keeping the previous version as the safety copy. Never throws:
// the caller reads ErrorText.

#include "framework/exchange/safetycopy.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace panolcd {

class TTxWrFile {
public:
    // Refuses reserved device names (ErrorText then holds the check's message and no file is
    // touched). The new text goes to a file of its own that Close puts in place.
    explicit TTxWrFile(std::string_view fileName);
    // Close; a file that nothing was ever written to successfully is deleted.
    ~TTxWrFile();
    TTxWrFile(const TTxWrFile&) = delete;
    TTxWrFile& operator=(const TTxWrFile&) = delete;

    // Texts are ShortStrings (cut to 255 characters); the Z forms end at a zero character.
    // WriteLn forms end the line with CR LF.
    void WriteLn(std::string_view text);
    void Write(std::string_view text);
    void WriteLnZ(std::string_view text);
    void WriteZ(std::string_view text);

    // Closes once: the file takes its name (the previous version becomes the safety copy) and,
    // when a date was set, that date.
    void Close();
    // The date of the file on disk as a packed DOS date-time; -1 when there is none.
    std::int32_t FileAge() const;
    // Packed DOS date-time to stamp at Close; 0 leaves the date alone.
    void SetFileDate(std::uint32_t date) { fileDate_ = date; }

    const std::string& ErrorText() const { return errorText_; }
    const std::string& FileName() const { return fileName_; }

private:
    void Put(std::string_view text, bool lineEnd);
    void SetIoError(int err);

    std::string fileName_;
    std::unique_ptr<ReplacingFile> file_;
    std::string errorText_;
    bool closed_ = false;
    bool committed_ = false;
    bool nothingWritten_ = true;
    std::uint32_t fileDate_ = 0;
};

// The modification time of a file as a packed DOS date-time in local time; -1 when the file
// does not exist or its date cannot be packed.
std::int32_t FileAgeOf(std::string_view fileName);
// False when the date is no valid DOS date-time or the file cannot be stamped.
bool SetFileAgeOf(std::string_view fileName, std::uint32_t dosDateTime);

} // namespace panolcd
