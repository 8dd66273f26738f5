#pragma once
// A window as its design describes it, whatever toolkit draws it: the window's frame, its
// controls, the rectangles and lines drawn on it, and its timer. Every measure is in twips
// (twips.h); names are the design's own, by which behaviour and tests find the controls.
//
// Every window opens centred on the screen, without a system frame or title bar, at a fixed
// client size. Outlines and lines are one pixel wide, black (colour_scheme.h) and unfilled; an
// outline covers exactly the pixels of its box's edge, and a line includes both its end points.

#include "twips.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orvelin {

enum class ControlKind {
  Label,          // text only
  ClickableLabel, // a label the user clicks like a button, with the left mouse button; takes no focus
  TextBox,        // one line of text the user types
  ClickArea,      // a clickable label without text or background: invisible
  ProgressBar,    // the system's bar that fills from the left as work gets done; takes no input
};

// Colours the system's scheme decides, and fixed ones.
enum class Colour {
  ButtonText,      // the system's colour for text on controls
  BoxText,         // the system's colour for text in text boxes
  HighlightedText, // the system's colour for selected text: white in the standard scheme
  ButtonFace,      // the system's colour for the face of controls, on which its text colour is legible
  Black,           // fixed in a standard scheme; under high contrast, the scheme's (colour_scheme.h)
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Only the horizontal alignment varies: every text starts at the top of its box.
enum class Alignment { Left, Centred };

inline constexpr int regularWeight = 400;
inline constexpr int boldWeight = 700;

// Never italic, underlined or struck through.
struct Font {
  std::string_view family;
  double points = 0;
  int weight = regularWeight;
};

constexpr Font msSansSerif(double points, int weight = regularWeight) { return {"MS Sans Serif", points, weight}; }
constexpr Font timesNewRoman(double points, int weight = regularWeight) { return {"Times New Roman", points, weight}; }

// What a control is unless its design says otherwise.
inline constexpr Font defaultFont = msSansSerif(8.25);

struct ControlDesign {
  std::string_view name;
  ControlKind kind = ControlKind::Label;
  std::string_view text{}; // ASCII
  Box box{};
  Font font = defaultFont;
  Colour colour = Colour::ButtonText; // of the text
  Alignment alignment = Alignment::Left;
  std::string_view tooltip{};      // none when empty
  std::optional<Rgb> background{}; // an opaque fill of the whole box; else a label is transparent,
                                   // and a text box has the system's colour for boxes
  bool wordWrap = false;           // long texts wrap at word boundaries inside the box
  // The box keeps its left and top, and takes the width and height of the text in its font, glyphs
  // that reach past their advance included.
  bool sizedToText = false;
  bool visible = true; // when the window is created
  // Each new text is announced, as a status line's is.
  bool announced = false;
  // What assistive technology reads as its name where the text does not say it ("Exit" for "X");
  // when empty, the text.
  std::string_view accessibleName{};
  // A text box's label, which names it.
  std::string_view labelledBy{};
};

struct OutlineDesign {
  std::string_view name;
  Box box;
};

struct LineDesign {
  std::string_view name;
  Point from;
  Point to;
};

// Labels that share one place on a window, shown one group at a time; a click on the selector
// shows its group.
struct GroupDesign {
  std::string_view name;
  std::string_view selector;
  std::span<const std::string_view> controls;
};

// Ticks from the window's creation until the window is destroyed.
struct TimerDesign {
  std::string_view name;
  int intervalMilliseconds = 0;
};

struct WindowDesign {
  std::string_view name;
  std::string_view caption; // shown only where the system lists windows
  Size clientSize;
  Colour background = Colour::HighlightedText;
  // Pictures by their file names in resources/.
  std::string_view picture{}; // drawn at its own size from the top-left corner, cut off at the edges
  std::string_view icon;
  std::span<const ControlDesign> controls; // in creation order, which is also their stacking order
  std::span<const OutlineDesign> outlines{};
  std::span<const LineDesign> lines{};
  std::span<const GroupDesign> groups{};
  // The controls that take the keyboard focus, in tab order; the first has it when the window opens.
  std::span<const std::string_view> tabOrder{};
  std::optional<TimerDesign> timer{};
};

// Where the control named name is in design.controls; throws std::out_of_range, naming the window
// and the control, when the design has no such control. Every look-up of a control by name goes
// through this, in every build.
[[nodiscard]] std::size_t controlIndex(const WindowDesign &design, std::string_view name);

} // namespace orvelin
