#include "model/looks_file.h"

#include <cstdint>

namespace model {
namespace {

constexpr std::string_view kMagic = "tapwright looks 1\n";
constexpr std::size_t kLongestText = 4096;

// Which samples the looks belong to: FNV-1a over every sample.
std::uint64_t SamplesHash(const Recording& recording) {
  std::uint64_t h = 14695981039346656037ull;
  for (const Sample& s : recording)
    for (const std::int32_t v : {s.x, s.y, s.code})
      for (int shift = 0; shift < 32; shift += 8) {
        h ^= (static_cast<std::uint32_t>(v) >> shift) & 0xFF;
        h *= 1099511628211ull;
      }
  return h;
}

void Put(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutText(std::string& out, const std::string& text) {
  const std::size_t n = std::min(text.size(), kLongestText);
  Put(out, n, 2);
  out.append(text, 0, n);
}

// Runs of one pixel as a count byte of 128 and up (2 to 129 of it); else up to 128 pixels as
// they are, after a count byte below 128.
void PutPixels(std::string& out, const std::vector<std::uint32_t>& pixels) {
  std::size_t i = 0;
  while (i < pixels.size()) {
    std::size_t run = 1;
    while (i + run < pixels.size() && run < 129 && pixels[i + run] == pixels[i]) ++run;
    if (run >= 2) {
      Put(out, 128 + run - 2, 1);
      Put(out, pixels[i], 4);
      i += run;
      continue;
    }
    std::size_t single = 1;
    while (i + single < pixels.size() && single < 128 &&
           (i + single + 1 >= pixels.size() || pixels[i + single + 1] != pixels[i + single]))
      ++single;
    Put(out, single - 1, 1);
    for (std::size_t j = i; j < i + single; ++j) Put(out, pixels[j], 4);
    i += single;
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}
  bool Ok() const { return ok_; }
  std::uint64_t Take(int bytes) {
    if (text_.size() - at_ < static_cast<std::size_t>(bytes)) {
      ok_ = false;
      return 0;
    }
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
      v |= std::uint64_t{static_cast<unsigned char>(text_[at_ + static_cast<std::size_t>(i)])}
           << (8 * i);
    at_ += static_cast<std::size_t>(bytes);
    return v;
  }
  std::string TakeText() {
    const std::size_t n = Take(2);
    if (!ok_ || text_.size() - at_ < n) {
      ok_ = false;
      return {};
    }
    std::string s(text_.substr(at_, n));
    at_ += n;
    return s;
  }
  std::vector<std::uint32_t> TakePixels() {
    std::vector<std::uint32_t> pixels;
    pixels.reserve(kLookPixels);
    while (ok_ && pixels.size() < kLookPixels) {
      const std::uint64_t count = Take(1);
      const std::size_t n = count >= 128 ? count - 126 : count + 1;
      if (pixels.size() + n > kLookPixels) ok_ = false;
      for (std::size_t j = 0; ok_ && j < n; ++j)
        pixels.push_back(
            static_cast<std::uint32_t>(count >= 128 && j > 0 ? pixels.back() : Take(4)));
    }
    return pixels;
  }
  bool AtEnd() const { return at_ == text_.size(); }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace

std::string LooksPathOf(const std::string& recording_path) { return recording_path + ".looks"; }

std::string EncodeLooks(const Recording& recording) {
  std::string out(kMagic);
  Put(out, recording.size(), 4);
  Put(out, SamplesHash(recording), 8);
  Put(out, recording.looks().size(), 4);
  for (const Look& look : recording.looks()) {
    Put(out, static_cast<std::uint32_t>(look.sample), 4);
    Put(out, look.in_window ? 1 : 0, 1);
    Put(out, static_cast<std::uint32_t>(look.window_left), 4);
    Put(out, static_cast<std::uint32_t>(look.window_top), 4);
    PutText(out, look.window_class);
    PutText(out, look.title);
    PutText(out, look.program);
    PutPixels(out, look.pixels);
  }
  return out;
}

std::optional<std::vector<Look>> DecodeLooks(std::string_view text, const Recording& recording) {
  if (!text.starts_with(kMagic)) return std::nullopt;
  Reader in(text.substr(kMagic.size()));
  if (in.Take(4) != recording.size() || in.Take(8) != SamplesHash(recording)) return std::nullopt;
  const std::uint64_t count = in.Take(4);
  std::vector<Look> looks;
  for (std::uint64_t i = 0; in.Ok() && i < count; ++i) {
    Look look;
    look.sample = static_cast<std::int32_t>(in.Take(4));
    look.in_window = in.Take(1) != 0;
    look.window_left = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Take(4)));
    look.window_top = static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Take(4)));
    look.window_class = in.TakeText();
    look.title = in.TakeText();
    look.program = in.TakeText();
    look.pixels = in.TakePixels();
    // In the samples' order, each on a sample of its own.
    if (look.sample < 0 || static_cast<std::size_t>(look.sample) >= recording.size() ||
        (!looks.empty() && look.sample <= looks.back().sample))
      return std::nullopt;
    looks.push_back(std::move(look));
  }
  if (!in.Ok() || !in.AtEnd()) return std::nullopt;
  return looks;
}

}  // namespace model
