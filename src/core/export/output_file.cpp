#include "core/export/output_file.h"

#include <random>
#include <string>
#include <system_error>
#include <utility>

namespace mirovale {
namespace {

// Tries this many random names before giving up on a folder full of leftovers.
constexpr int kNameAttempts = 8;

// A hidden name beside the target that does not grow with the target's name, so that a name
// near the length limit of the folder still gets its temporary file.
std::filesystem::path temporaryName(const std::filesystem::path& target, std::uint32_t tag) {
    std::filesystem::path name = target;
    name.replace_filename(".mirovale-" + std::to_string(tag) + ".tmp");
    return name;
}

}  // namespace

OutputFile::OutputFile(std::filesystem::path target) : target_(std::move(target)) {}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::create() {
    if (file_ != nullptr || target_.filename().empty()) return false;
    std::random_device entropy;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary_ = temporaryName(target_, entropy());
        // "x": fails rather than opening a file that already exists.
        file_ = std::fopen(temporary_.c_str(), "wbx");
        if (file_ != nullptr) return true;
        std::error_code ignored;
        if (!std::filesystem::exists(temporary_, ignored)) break;
    }
    temporary_.clear();
    return false;
}

bool OutputFile::write(std::span<const std::uint8_t> bytes) {
    if (file_ == nullptr) return false;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file_);
    return std::fflush(file_) == 0 && written == bytes.size();
}

bool OutputFile::commit() {
    if (file_ == nullptr) return false;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code error;
    if (closed) std::filesystem::rename(temporary_, target_, error);
    if (!closed || error) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::discard() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    if (temporary_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
}

}  // namespace mirovale
