// The window state record: a window's place and size, stored as 16 bytes,
// four signed 32-bit little-endian integers in the order Left, Top, Height,
// Width (height before width). Left = -1 means no position is stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::config {

inline constexpr size_t kWindowStateSize = 16;

struct WindowState {
  int32_t left = -1;
  int32_t top = 0;
  int32_t height = 0;
  int32_t width = 0;

  bool IsStored() const { return left != -1; }
  bool operator==(const WindowState&) const = default;
};

std::string EncodeWindowState(const WindowState& state);

// The record in `bytes`, or nullopt (with `why`) when it is not exactly 16
// bytes or describes an impossible window: a stored position must have a
// size of 1..32767 each way and coordinates in -32768..32767, the range
// every window system can place.
std::optional<WindowState> DecodeWindowState(std::string_view bytes, std::string* why = nullptr);

}  // namespace lumora::config
