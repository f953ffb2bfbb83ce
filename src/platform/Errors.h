#pragma once
// The project's exceptions. Messages are CP932 text meant for the user; the toolkit's event
// dispatch shows them and ends only the handler that raised them.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sorabell {

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Windows error numbers that file operations report and the messages explain.
namespace oserror {
constexpr uint32_t FileNotFound = 2;
constexpr uint32_t PathNotFound = 3;
constexpr uint32_t AccessDenied = 5;
constexpr uint32_t WriteProtect = 19;
constexpr uint32_t SharingViolation = 32;
constexpr uint32_t LockViolation = 33;
constexpr uint32_t HandleDiskFull = 39;
constexpr uint32_t DiskFull = 112;
constexpr uint32_t InvalidName = 123;
constexpr uint32_t FileReadOnly = 6009;
}  // namespace oserror

// Why the system refused, in words for the user, ending with the error number.
std::string SystemErrorText(uint32_t systemError);

// A file could not be opened, read, written or cut. Names the file, the step and the reason.
class EInOutError : public Exception {
public:
    enum class Operation { Open, Create, Read, Write, Truncate, Size, Delete };

    EInOutError(Operation operation, std::string path, uint32_t systemError);

    Operation operation() const { return operation_; }
    const std::string& path() const { return path_; }
    // The Windows error number (ERROR_ACCESS_DENIED is 5, and so on).
    uint32_t systemError() const { return systemError_; }

private:
    Operation operation_;
    std::string path_;
    uint32_t systemError_;
};

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// A text that was to be read as a number is none.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace sorabell
