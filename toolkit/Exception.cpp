#include "toolkit/Exception.h"

#include <utility>

namespace toolkit {

Exception::Exception(String message) : message_(std::move(message)), utf8_(platform::Utf16ToUtf8(message_)) {}

} // namespace toolkit
