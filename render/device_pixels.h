// SPDX-License-Identifier: MIT
// From a screen's device pixel ratio to the whole-pixel sizes the picture is drawn at.
#pragma once

namespace quillmoor {

// Device pixels per picture pixel: the ratio rounded to a whole number, so every cell is an
// even square, and kept within 1 .. MaxPixelScale (also for a ratio that is not a number).
int PixelScaleForRatio(double ratio);

// A length in logical pixels as device pixels, rounded as the window system sizes its back
// buffer; lengths below 1 stay as they are and results are clamped to the int range.
int DeviceLength(int logical, double ratio);

}  // namespace quillmoor
