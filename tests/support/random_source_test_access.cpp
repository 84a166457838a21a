// SPDX-License-Identifier: MIT
// Test-only access to the random source's script, inputs and internal state.
#include "tests/support/random_source_test_access.h"

#include <algorithm>

namespace quillmoor {

bool FakeSystemInputs::Entropy(std::span<std::uint8_t, 16> out) const {
  if (!entropy) {
    return false;
  }
  std::copy(entropy->begin(), entropy->end(), out.begin());
  return true;
}

void RandomSourceTestAccess::ScriptBytes(RandomSource& source, std::vector<std::uint8_t> bytes) {
  source.script = std::make_unique<ByteScript>(std::move(bytes));
}

void RandomSourceTestAccess::StopScript(RandomSource& source) {
  source.script.reset();
}

std::size_t RandomSourceTestAccess::BytesDrawn(const RandomSource& source) {
  return source.script ? source.script->drawn() : 0;
}

void RandomSourceTestAccess::UseInputs(RandomSource& source, const SystemInputs* inputs) {
  source.inputs = inputs != nullptr ? inputs : &PlatformSystemInputs();
}

std::uint32_t RandomSourceTestAccess::Cursor(const RandomSource& source) {
  return source.cursor;
}

std::array<std::uint8_t, 8> RandomSourceTestAccess::OutputBlock(const RandomSource& source) {
  return source.outputBlock;
}

std::array<std::uint8_t, 8> RandomSourceTestAccess::ChainValue(const RandomSource& source) {
  return source.CurrentChainValue();
}

}  // namespace quillmoor
