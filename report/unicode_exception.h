#pragma once
// A failure that carries one operator message to the handler that reports it.
#include <exception>
#include <string>

namespace tessorin {

class UnicodeException : public std::exception {
public:
    explicit UnicodeException(std::string message) : message(std::move(message)) {}
    const char* what() const noexcept override { return message.c_str(); }

    std::string message;
};

}  // namespace tessorin
