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

// A file could not be opened, read, written or cut. Names the file and the step.
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
