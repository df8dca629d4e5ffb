#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

namespace mirovale {

// A file written under a temporary name in the target's folder and renamed over the target only
// once every block is written, so that a failure half-way neither damages an existing file of
// that name nor leaves a partial one under it. The temporary file goes away on every failure
// and when the object is destroyed without commit().
class OutputFile {
public:
    // target : the file to make or replace
    explicit OutputFile(std::filesystem::path target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file; false when the folder refuses it.
    [[nodiscard]] bool create();
    // Writes one block through to the file; false when not all of it was written.
    [[nodiscard]] bool write(std::span<const std::uint8_t> bytes);
    // Closes the temporary file and renames it over the target; false when either fails.
    [[nodiscard]] bool commit();

private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
};

}  // namespace mirovale
