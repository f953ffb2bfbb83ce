#pragma once
// Byte streams with a position, as the string list's stream operations use them.

#include <cstddef>
#include <cstdint>
#include <string>

namespace sorabell::platform {

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes at the position and moves past them; fewer only at the end.
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual void Write(const void* data, size_t count) = 0;
    virtual uint64_t Position() const = 0;
    virtual void Seek(uint64_t position) = 0;
    virtual uint64_t Size() const = 0;
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    void Write(const void* data, size_t count) override;
    uint64_t Position() const override { return position_; }
    void Seek(uint64_t position) override { position_ = position; }
    uint64_t Size() const override { return bytes_.size(); }

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    uint64_t position_ = 0;
};

}  // namespace sorabell::platform
