# SPDX-License-Identifier: MIT
"""The maze picture's geometry read back from a screenshot: cell squares, copies, edge strips."""

GRID = 256
CENTRE = 128


def origin(length, side):
    """Where the square of the centre cell starts along a side of the picture."""
    return length // 2 - side // 2


def covered_end(length, side):
    """Where the last column (or row) of squares ends: the picture reaches no further."""
    start = origin(length, side)
    return start + side * (start // side + 1)


def unfolded_cell(x, y):
    """(row, column) of the grid cell at (x, y) of the unfolded plane."""
    row = (254 - y) % GRID if x % (2 * GRID) >= GRID else y % GRID
    return row, x % GRID


class SquareView:
    """A screenshot seen as cell squares of a given side, in device pixels."""

    def __init__(self, shot, side):
        self.shot = shot
        self.side = side
        self.origin_x = origin(shot.width, side)
        self.origin_y = origin(shot.height, side)
        # Offsets of the squares that lie wholly inside the picture.
        self.columns = range(-(self.origin_x // side), (shot.width - self.origin_x) // side)
        self.rows = range(-(self.origin_y // side), (shot.height - self.origin_y) // side)

    def colour(self, i, j):
        return self.shot.pixel(self.origin_x + self.side * i, self.origin_y + self.side * j)

    def is_even(self):
        """Every whole square is of one colour."""
        width, side, words = self.shot.width, self.side, self.shot.words
        left = self.origin_x + side * self.columns.start
        right = self.origin_x + side * self.columns.stop
        for j in self.rows:
            top = self.origin_y + side * j
            first = words[top * width + left:top * width + right]
            if any(first[k::side] != first[0::side] for k in range(1, side)):
                return False
            for dy in range(1, side):
                start = (top + dy) * width
                if words[start + left:start + right] != first:
                    return False
        return True

    def central_copy(self):
        """The colour of every grid cell, read from the copy around the centre."""
        return {(row, column): self.colour(column - CENTRE, row - CENTRE)
                for row in range(GRID) for column in range(GRID)}

    def first_unfolding_fault(self):
        """The first whole square whose colour is not that of its cell's central copy, or None."""
        grid = self.central_copy()
        for j in self.rows:
            for i in self.columns:
                if self.colour(i, j) != grid[unfolded_cell(CENTRE + i, CENTRE + j)]:
                    return i, j
        return None

    def first_disagreeing_copy(self):
        """The first whole square whose colour differs from another copy of the same cell, or None.

        At a side too large for a whole copy of the grid, the copies the picture does show, on
        both sides of the column seams, must still agree.
        """
        seen = {}
        for j in self.rows:
            for i in self.columns:
                colour = self.colour(i, j)
                if seen.setdefault(unfolded_cell(CENTRE + i, CENTRE + j), colour) != colour:
                    return i, j
        return None
