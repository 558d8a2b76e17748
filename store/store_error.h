#pragma once
// How the store fails: every engine error reaches the caller as StoreError with
// the engine's own words; ConnectionLost says the server went away, so the
// operation may be tried again on a new connection.
#include <stdexcept>
#include <string>

namespace tessorin::store {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ConnectionLost : public StoreError {
public:
    using StoreError::StoreError;
};

}  // namespace tessorin::store
