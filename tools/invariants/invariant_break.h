// SPDX-License-Identifier: MIT
// The answer of every check: nothing when the invariant holds, else what broke and where.
#pragma once

#include <optional>
#include <string>

namespace quillmoor {

using InvariantBreak = std::optional<std::string>;

}  // namespace quillmoor
