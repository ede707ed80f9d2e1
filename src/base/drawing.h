// Drawing commands: the geometry of a label sheet or a diagram, computed by the core
// and painted by one renderer on screen, printer, PDF or SVG.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tralvin {

// An sRGB colour with alpha; alpha 0 means "none" (no fill, no stroke).
struct DrawColor {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  static constexpr DrawColor None() { return {0, 0, 0, 0}; }
  static constexpr DrawColor Black() { return {0, 0, 0, 255}; }
  static constexpr DrawColor White() { return {255, 255, 255, 255}; }
  friend bool operator==(const DrawColor&, const DrawColor&) = default;
};

// How the inside of a rectangle is filled besides its colour.
enum class DrawPattern { Solid, Hatched };

struct DrawRect {
  double x = 0, y = 0, width = 0, height = 0;
  DrawColor stroke = DrawColor::Black();
  DrawColor fill = DrawColor::None();
  DrawPattern pattern = DrawPattern::Solid;
  double strokeWidth = 1;
  std::string tag;  // what the shape stands for ("piece", "kerf" …), kept by structured outputs
  friend bool operator==(const DrawRect&, const DrawRect&) = default;
};

struct DrawLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  DrawColor color = DrawColor::Black();
  double width = 1;
  friend bool operator==(const DrawLine&, const DrawLine&) = default;
};

enum class DrawAlign { Left, Center, Right };

// Text drawn at (x, y) as its top-left corner, in the font given by name and
// size (points); clipped to `clipWidth` × `clipHeight` when they are above 0.
// A fixed-pitch text falls back to a fixed-pitch font when the name is not installed.
struct DrawText {
  double x = 0, y = 0;
  std::string text;  // UTF-8
  std::string fontName;
  double fontSize = 10;  // points
  bool bold = false;
  bool fixedPitch = false;
  DrawColor color = DrawColor::Black();
  double clipWidth = 0, clipHeight = 0;
  DrawAlign align = DrawAlign::Left;  // within clipWidth, when it is above 0
  std::string tag;                    // what the text stands for, kept by structured outputs
  friend bool operator==(const DrawText&, const DrawText&) = default;
};

using DrawCommand = std::variant<DrawRect, DrawLine, DrawText>;

// One page (or one picture) of commands. Coordinates are in the page's own units;
// `unitsPerInch` tells a renderer how to scale them to its device (72 for points,
// the printer resolution for device pixels).
struct DrawingPage {
  double width = 0, height = 0;
  double unitsPerInch = 72;
  std::vector<DrawCommand> commands;
};

}  // namespace tralvin
