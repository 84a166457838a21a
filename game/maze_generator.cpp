// SPDX-License-Identifier: MIT
// The carver: extends a passage from the last room opened and restarts from the frontier list.
#include "game/maze_generator.h"

#include <cstdint>

#include "game/maze_grid.h"
#include "random/random_source.h"

namespace quillmoor {

namespace {

constexpr std::uint32_t WordToBothHalves = 0x00010001;  // w -> ww, a fraction of 2^32

void Open(MazeGrid& grid, CellId cell) {
  grid[cell] &= static_cast<std::uint8_t>(~CellWall);
}

}  // namespace

// Why the frontier list never holds a wall slot twice (so 32,768 entries always suffice): a wall
// slot W is pushed only by the look-around of one of its two rooms, P, and only while the other
// room F is still rock. Every room is looked around exactly once, right after it is opened, so
// P pushes W at most once. When F is later opened and looked around, P is open, so F removes W
// instead of pushing it. A reopened W stays in the list as a stale entry, but an open wall slot
// is never pushed again.

MazeGenerator::MazeGenerator(MazeGrid& grid, RandomSource& random) : grid_(grid), random_(random) {}

void MazeGenerator::Reset() {
  frontierCount_ = 0;
  Open(grid_, StartCell);
  carveCell_ = StartCell;
  mazeComplete_ = false;
}

// The look-around and the carve are inline here so that CarveAll's loop makes no calls but the
// random draws that need a new block.
inline int MazeGenerator::GatherCarveCandidates(std::array<Candidate, 4>& candidates) {
  int count = 0;
  // Each step is passed as its own lambda type so that it inlines; the order is up, right,
  // down, left, as in every look-around.
  const auto look = [&](auto step) {
    const CellId wall = step(carveCell_);
    if (grid_.IsOpen(wall)) {
      return;
    }
    const CellId farRoom = step(wall);
    if (grid_.IsOpen(farRoom)) {
      // The far room pushed this wall when it was looked around, while ours was still rock.
      RemoveFrontierWall(wall);
    } else {
      PushFrontierWall(wall);
      candidates[count++] = {wall, farRoom};
    }
  };
  look([](CellId cell) { return StepUp(cell); });
  look([](CellId cell) { return StepRight(cell); });
  look([](CellId cell) { return StepDown(cell); });
  look([](CellId cell) { return StepLeft(cell); });
  return count;
}

inline void MazeGenerator::CarveOnce() {
  std::array<Candidate, 4> candidates;
  int count = 0;
  for (;;) {
    count = GatherCarveCandidates(candidates);
    if (mazeComplete_) {
      return;
    }
    if (count > 0) {
      break;
    }
    // A dead end: restart from a frontier wall, then look around the room it opened.
    ReopenFromFrontier();
    if (mazeComplete_) {
      return;
    }
  }
  const Candidate chosen = candidates[count == 1 ? 0 : RandomIndex(random_, count)];
  Open(grid_, chosen.wall);
  Open(grid_, chosen.farRoom);
  carveCell_ = chosen.farRoom;
  RemoveFrontierWall(chosen.wall);
}

void MazeGenerator::CarveStep() {
  if (!mazeComplete_) {
    CarveOnce();
  }
}

void MazeGenerator::CarveAll() {
  // Terminates: every carve that does not complete opens a wall slot that was rock.
  while (!mazeComplete_) {
    CarveOnce();
  }
}

std::span<const CellId> MazeGenerator::FrontierWalls() const {
  return {frontierWalls_.data(), static_cast<std::size_t>(frontierCount_)};
}

bool MazeGenerator::IsListed(CellId wall) const {
  const int position = frontierPosition_[wall];
  return position < frontierCount_ && frontierWalls_[position] == wall;
}

void MazeGenerator::PushFrontierWall(CellId wall) {
  // Neither guard fires while the invariants hold; they keep the list sound if the grid was
  // changed behind the generator's back.
  if (frontierCount_ == FrontierCapacity || IsListed(wall)) {
    return;
  }
  frontierPosition_[wall] = static_cast<std::uint16_t>(frontierCount_);
  frontierWalls_[frontierCount_++] = wall;
}

void MazeGenerator::RemoveFrontierWall(CellId wall) {
  // The position index stands in for a search from the end of the list; as each wall is
  // listed once, both find the same entry, and the list order is the same either way.
  if (!IsListed(wall)) {
    return;
  }
  if (frontierCount_ == 1) {
    frontierCount_ = 0;
    mazeComplete_ = true;
    return;
  }
  const int position = frontierPosition_[wall];
  const CellId last = frontierWalls_[--frontierCount_];
  frontierWalls_[position] = last;
  frontierPosition_[last] = static_cast<std::uint16_t>(position);
}

void MazeGenerator::ReopenFromFrontier() {
  for (;;) {
    if (frontierCount_ == 0) {
      mazeComplete_ = true;
      return;
    }
    const CellId wall = frontierWalls_[RandomIndexWide(frontierCount_)];
    if (grid_.IsOpen(wall)) {
      RemoveFrontierWall(wall);  // stale: opened by an earlier reopen
      continue;
    }
    Open(grid_, wall);
    const bool rowOdd = (RowOf(wall) & 1u) != 0;
    const CellId first = rowOdd ? StepUp(wall) : StepLeft(wall);
    const CellId second = rowOdd ? StepDown(wall) : StepRight(wall);
    // The wall stays listed and goes stale; a later pick drops it.
    carveCell_ = grid_.IsOpen(first) ? second : first;
    Open(grid_, carveCell_);
    return;
  }
}

int MazeGenerator::RandomIndexWide(int n) {
  if (n <= 1) {
    return 0;
  }
  const std::uint32_t fraction = random_.NextWord() * WordToBothHalves;
  return static_cast<int>((static_cast<std::uint64_t>(fraction) * static_cast<std::uint32_t>(n)) >>
                          32);
}

}  // namespace quillmoor
