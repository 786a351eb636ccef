// Reading whole files into memory and saving files without ever destroying the old content.
#pragma once

#include "structfile/message.h"

#include <optional>
#include <string>
#include <string_view>

namespace xelmor {

// Reads the whole file at `path` (UTF-8, native separators) into `out`, byte for byte. Returns
// false, leaving `out` unchanged, when the file cannot be opened or read or is a folder.
bool ReadFileBytes(const std::string& path, std::string& out);

enum class WriteResult {
    Ok,
    CannotCreate, // the file could not be created or opened for writing
    WriteError,   // the file was created but writing or putting it in place failed
};

// Saves `bytes` as the file at `path`: they are written to a new temporary file in the same
// folder, which is then renamed over the target, so a failed save leaves an existing file as it
// was and no temporary file behind. An existing target must be writable (a read-only file is
// refused with CannotCreate, as opening it for writing would be); its permissions carry over to
// the new file. A symbolic link is followed and the file it names is replaced.
WriteResult WriteFileReplacing(const std::string& path, std::string_view bytes);

// Saves `bytes` as WriteFileReplacing does and returns the message to show when it failed:
// "Failed to open " + path + "!" when the file cannot be created, "Failed to write " + path +
// "!" when writing or putting it in place failed (both with the stop icon). There is no older
// text for a failure after the file was created; saying nothing would report a lost save as a
// success.
std::optional<Message> SaveFile(const std::string& path, std::string_view bytes);

// The step of WriteFileReplacing that a FileWriteFaultForTesting makes fail.
enum class FileWriteFault {
    Create, // creating the temporary file fails: CannotCreate, nothing is created
    Write,  // writing fails after part of the bytes went into the temporary file: WriteError
    Rename, // putting the written temporary file in place fails: WriteError
};

// Test seam: while an object lives, the next call of WriteFileReplacing fails at the chosen step
// through its ordinary failure path (failures that permissions cannot provoke when the tests run
// as root). Only that one call fails; objects nest, the inner one taking precedence.
class FileWriteFaultForTesting {
public:
    explicit FileWriteFaultForTesting(FileWriteFault fault);
    ~FileWriteFaultForTesting();
    FileWriteFaultForTesting(const FileWriteFaultForTesting&) = delete;
    FileWriteFaultForTesting& operator=(const FileWriteFaultForTesting&) = delete;

    // True once a save has failed because of this object.
    bool Triggered() const;

private:
    friend bool TakeWriteFaultForTesting(FileWriteFault step);

    FileWriteFault fault_;
    bool armed_ = true;
    bool triggered_ = false;
    FileWriteFaultForTesting* previous_;
};

} // namespace xelmor
