#pragma once

#include <exception>
#include <string>
#include <utility>

namespace vellomar {

// Base of every failure the default error display knows how to show.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// The text the default error display shows for a message: a full stop is added when the last
// character's code is above that of "." (so after a letter, a digit, "?" or "]", but not after
// ".", "!", ")", "," or a space). An empty message stays empty.
inline std::string ErrorDisplayText(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        message += '.';
    return message;
}

} // namespace vellomar
