// The exception classes of the UI library: every failure the toolkit reports is one of these, and
// the application's default error report shows Message.
#pragma once

#include "toolkit/Types.h"

#include <exception>
#include <string>

namespace toolkit {

class Exception : public std::exception {
public:
    explicit Exception(String message);
    const String& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
};

// A text that does not convert to the number asked for.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A settings file that refuses a write.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// An operation that is not possible in the object's state (focusing a hidden control, ...).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A picture that cannot be read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened or written.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

} // namespace toolkit
