// How a message between copies of the program travels over a byte stream: its length in
// decimal, a new line, then its bytes. The answer needs no frame: it ends where the stream does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::copies {

// The running copy's first byte back: it took the message, and the outcome follows.
inline constexpr char kTaken = '+';

// Longer messages are refused: only a broken or hostile sender writes one.
inline constexpr std::size_t kMaxMessage = std::size_t{64} * 1024;

inline std::string Framed(std::string_view message) {
  return std::to_string(message.size()) + "\n" + std::string(message);
}

enum class Frame { Incomplete, Whole, Broken };

// Whether `received` holds a whole message yet; Whole puts it in `message`.
inline Frame Unframe(std::string_view received, std::string& message) {
  const std::size_t newline = received.find('\n');
  if (newline == std::string_view::npos)
    return received.size() > 8 ? Frame::Broken : Frame::Incomplete;
  std::size_t length = 0;
  if (newline == 0 || newline > 8) return Frame::Broken;
  for (char c : received.substr(0, newline)) {
    if (c < '0' || c > '9') return Frame::Broken;
    length = length * 10 + static_cast<std::size_t>(c - '0');
  }
  if (length > kMaxMessage) return Frame::Broken;
  if (received.size() - newline - 1 < length) return Frame::Incomplete;
  if (received.size() - newline - 1 > length) return Frame::Broken;
  message = std::string(received.substr(newline + 1));
  return Frame::Whole;
}

}  // namespace platform::copies
