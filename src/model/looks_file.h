// The looks of a recording in a file of their own beside it, so that the recording file stays
// what every reader of the format knows. The file names the samples it belongs to: looks beside
// a recording that another program changed or replaced are not used.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/recording.h"

namespace model {

// "walk.tpw" -> "walk.tpw.looks".
std::string LooksPathOf(const std::string& recording_path);

// The recording's looks as the file holds them; a picture is a few kilobytes at most and far
// less where the screen is plain.
std::string EncodeLooks(const Recording& recording);
// The looks in text when they belong to the recording's samples and are whole; nullopt when not.
std::optional<std::vector<Look>> DecodeLooks(std::string_view text, const Recording& recording);

}  // namespace model
