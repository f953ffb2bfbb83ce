#pragma once
// An open file held in memory: the twin of a real file for tests and fuzzers.

#include <string>

#include "platform/FileSystem.h"

namespace sorabell::platform {

class MemoryFile : public BinaryFile {
public:
    explicit MemoryFile(std::string bytes = {}, std::string name = "memory")
        : bytes_(std::move(bytes)), name_(std::move(name)) {}

    uint64_t Size() override { return bytes_.size(); }
    size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;
    void WriteAt(uint64_t offset, const void* data, size_t count) override;
    void Truncate(uint64_t size) override;

    const std::string& bytes() const { return bytes_; }
    // Writes past this size fail as a full disk does (0: no limit).
    void set_sizeLimit(uint64_t limit) { sizeLimit_ = limit; }

private:
    std::string bytes_;
    std::string name_;
    uint64_t sizeLimit_ = 0;
};

}  // namespace sorabell::platform
