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

} // namespace vellomar
