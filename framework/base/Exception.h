#pragma once
// Errors that carry the system's own message texts. An exception that leaves
// an event handler is shown by the application in its standard error box.

#include <stdexcept>
#include <string>

namespace tsm {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Text to number conversions: "'%s' is not a valid integer value" ...
class EConvertError : public Exception { using Exception::Exception; };
// Failures of a data set: "Field '%s' not found" ...
class EDatabaseError : public Exception { using Exception::Exception; };
// Reading or writing files and streams: "Unable to write to %s" ...
class EInOutError : public Exception { using Exception::Exception; };
// Stream format errors: "The data is incorrect" ...
class EReadError : public Exception { using Exception::Exception; };
// A cast to a class the object does not have: "Invalid class typecast".
class EInvalidCast : public Exception { using Exception::Exception; };
// Focus and window handling: "Cannot focus a disabled or invisible window".
class EInvalidOperation : public Exception { using Exception::Exception; };
// Out-of-range list access: "List index out of bounds (%d)".
class EListError : public Exception { using Exception::Exception; };
// Component names and ownership: "A component named %s already exists".
class EComponentError : public Exception { using Exception::Exception; };

}  // namespace tsm
