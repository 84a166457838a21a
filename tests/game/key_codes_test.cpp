// SPDX-License-Identifier: MIT
// The accepted key set and the one-slot pending key.
#include "game/key_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "game/game_state.h"

namespace quillmoor {
namespace {

TEST(KeyCodes, AcceptsExactlyTheTwentyTwoGameKeys) {
  const std::set<std::uint32_t> expected = {27, 32, 37, 38, 39, 40, 49, 50, 51, 52, 53,
                                            54, 55, 56, 57, 65, 70, 78, 82, 83, 86, 87};
  std::set<std::uint32_t> accepted;
  for (std::uint32_t code = 0; code < 0x400; ++code) {
    if (IsAcceptedKey(code)) {
      accepted.insert(code);
    }
  }
  EXPECT_EQ(accepted, expected);
  // Codes that agree with an accepted one in the low byte only.
  for (const std::uint32_t code : {0x100u + 27u, 0x10000u + 65u, 0xFFFFFF57u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(IsAcceptedKey(code)) << code;
  }
}

TEST(KeyCodes, LastAcceptedKeyWinsAndOtherKeysLeaveItPending) {
  GameState state;
  OnKeyDown(state, KeyLeft);
  OnKeyDown(state, KeyRight);
  EXPECT_EQ(state.m_pendingKey, KeyRight);
  // Enter, Tab, B, the digit 0, ':' and the keypad's digit codes 96-105.
  for (const std::uint32_t ignored : {13u, 9u, 66u, 0u, 48u, 58u, 96u, 101u, 105u}) {
    OnKeyDown(state, ignored);
    EXPECT_EQ(state.m_pendingKey, KeyRight) << ignored;
  }
  OnKeyDown(state, KeyRight);  // auto-repeat stores the same code again
  EXPECT_EQ(state.m_pendingKey, KeyRight);
  EXPECT_EQ(state.m_moveMode, MoveStopped);
  EXPECT_EQ(state.m_playerCell, StartCell);
}

}  // namespace
}  // namespace quillmoor
