#pragma once

#include <functional>
#include <string_view>

namespace talvane::collection {

// Takes bytes piece by piece, in order; false refuses a piece, which ends the writing.
using ByteSink = std::function<bool(std::string_view piece)>;
// Gives a file's bytes piece by piece to a sink: a large file is never whole in memory.
// False when the sink refused a piece.
using BytePieces = std::function<bool(const ByteSink& sink)>;

} // namespace talvane::collection
