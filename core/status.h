// One result type for every reader and writer of the core: a call either
// succeeds or says what failed, and the caller must look.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace lumora {

enum class ErrorKind {
  kCreate,         // a module file could not be opened (ECreateError)
  kStrongsCreate,  // the Strong's data file could not be opened (ESCreateError)
  kCompression,    // zlib refused to compress (EZCompressionError)
  kDecompression,  // a stored stream did not inflate (EZDecompressionError)
  kIo,             // a file operation failed
  kNotFound,       // a file or folder does not exist
  kInvalidArgument,
  kReadOnly,       // a write to a read-only module
  kTooLarge,       // an entry too large for its record, or too many entries
};

class [[nodiscard]] Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(ErrorKind kind, std::string message) {
    Status s;
    s.ok_ = false;
    s.kind_ = kind;
    s.message_ = std::move(message);
    return s;
  }

  bool ok() const { return ok_; }
  ErrorKind kind() const { return kind_; }
  const std::string& message() const { return message_; }

 private:
  bool ok_ = true;
  ErrorKind kind_ = ErrorKind::kIo;
  std::string message_;
};

// A module file that could not be opened.
inline Status CreateError(std::string message) {
  return Status::Error(ErrorKind::kCreate, std::move(message));
}

// A value or the Status that explains why there is none.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : data_(std::move(value)) {}  // NOLINT: implicit by design
  Result(Status error) : data_(std::move(error)) {  // NOLINT
    assert(!std::get<Status>(data_).ok());
  }

  bool ok() const { return std::holds_alternative<T>(data_); }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<T>(data_); }
  const T& value() const& { return std::get<T>(data_); }
  T&& value() && { return std::get<T>(std::move(data_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

  const Status& status() const {
    static const Status kOk;
    return ok() ? kOk : std::get<Status>(data_);
  }

 private:
  std::variant<T, Status> data_;
};

}  // namespace lumora
