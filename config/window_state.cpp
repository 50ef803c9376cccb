#include "config/window_state.h"

#include "core/io/byte_io.h"

namespace lumora::config {

std::string EncodeWindowState(const WindowState& s) {
  std::string out;
  AppendU32(out, static_cast<uint32_t>(s.left));
  AppendU32(out, static_cast<uint32_t>(s.top));
  AppendU32(out, static_cast<uint32_t>(s.height));
  AppendU32(out, static_cast<uint32_t>(s.width));
  return out;
}

std::optional<WindowState> DecodeWindowState(std::string_view bytes, std::string* why) {
  auto fail = [&](const char* text) -> std::optional<WindowState> {
    if (why) *why = text;
    return std::nullopt;
  };
  if (bytes.size() != kWindowStateSize) return fail("a window state is 16 bytes");
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const WindowState s{LoadI32(p), LoadI32(p + 4), LoadI32(p + 8), LoadI32(p + 12)};
  if (!s.IsStored()) return s;
  auto coordinate = [](int32_t v) { return v >= -32768 && v <= 32767; };
  auto extent = [](int32_t v) { return v >= 1 && v <= 32767; };
  if (!coordinate(s.left) || !coordinate(s.top) || !extent(s.height) || !extent(s.width))
    return fail("window position or size out of range");
  return s;
}

}  // namespace lumora::config
