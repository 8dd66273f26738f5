#include "Startup_design.h"

namespace orvelin {
namespace {

constexpr ControlDesign controls[] = {
    {.name = StartupControls::motto,
     .text = "Art is long but life is short",
     .box = {600, 2880, 3135, 375},
     .font = timesNewRoman(12),
     .colour = Colour::HighlightedText,
     .alignment = Alignment::Centred},
};

} // namespace

constinit const WindowDesign StartupDesign{
    .name = "Startup",
    .caption = "Orvelin File Encryption",
    .clientSize = {4320, 3570},
    // A little larger than the window, which cuts off its right and bottom edges.
    .picture = "splash.jpg",
    .icon = "orvelin.png",
    .controls = controls,
    .timer = TimerDesign{"Timer1", 4000},
};

} // namespace orvelin
