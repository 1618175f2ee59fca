#pragma once

#include <stdexcept>
#include <string>

// Raised when the database engine refuses an operation. It carries the engine's own
// description and ends the command in progress; RunGuarded shows it to the user.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& engineText) : std::runtime_error(engineText) {}
};
