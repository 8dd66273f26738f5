#include "frmMain_design.h"

namespace orvelin {
namespace {

constexpr Rgb white{255, 255, 255};

constexpr ControlDesign controls[] = {
    {.name = frmMainControls::title,
     .text = "ORVELIN FILE ENCRYPTOR",
     .box = {240, 290, 2895, 255},
     .colour = Colour::Black},
    {.name = frmMainControls::minimise,
     .kind = ControlKind::ClickableLabel,
     .text = "_",
     .box = {5805, 240, 135, 240},
     .font = msSansSerif(9.75),
     .alignment = Alignment::Centred,
     .tooltip = "Minimize",
     .sizedToText = true,
     .accessibleName = "Minimize"},
    {.name = frmMainControls::exit,
     .kind = ControlKind::ClickableLabel,
     .text = "X",
     .box = {6120, 260, 220, 220},
     .alignment = Alignment::Centred,
     .tooltip = "Exit",
     .accessibleName = "Exit"},
    {.name = frmMainControls::fileNameLabel,
     .text = "File Name",
     .box = {240, 960, 975, 255},
     .font = timesNewRoman(9.75),
     .colour = Colour::Black},
    {.name = frmMainControls::fileName,
     .kind = ControlKind::TextBox,
     .box = {1080, 960, 5055, 285},
     .colour = Colour::Black,
     .background = white,
     .labelledBy = frmMainControls::fileNameLabel},
    {.name = frmMainControls::passwordLabel,
     .text = "Password",
     .box = {240, 1560, 975, 255},
     .font = timesNewRoman(9.75),
     .colour = Colour::Black},
    // Shown as typed: the user sees what the file will be locked with.
    {.name = frmMainControls::password,
     .kind = ControlKind::TextBox,
     .box = {1080, 1560, 5055, 285},
     .colour = Colour::BoxText,
     .labelledBy = frmMainControls::passwordLabel},
    {.name = frmMainControls::encrypt,
     .kind = ControlKind::ClickableLabel,
     .text = "Encrypt",
     .box = {2380, 2110, 855, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Encrypt"},
    {.name = frmMainControls::decrypt,
     .kind = ControlKind::ClickableLabel,
     .text = "Decrypt",
     .box = {3800, 2110, 735, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Decrypt"},
    {.name = frmMainControls::browse,
     .kind = ControlKind::ClickableLabel,
     .text = "Browse",
     .box = {5100, 2110, 855, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Browse"},
    {.name = frmMainControls::status,
     .box = {1440, 2880, 3855, 255},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .announced = true},
    // In the empty band between the buttons and the status line, under the status's width.
    {.name = frmMainControls::progress,
     .kind = ControlKind::ProgressBar,
     .box = {1440, 2475, 3855, 255},
     .visible = false,
     .accessibleName = "Progress"},
    {.name = frmMainControls::securityKey,
     .kind = ControlKind::ClickArea,
     .box = {240, 3240, 495, 375},
     .accessibleName = "Software Information"},
    {.name = frmMainControls::about,
     .kind = ControlKind::ClickableLabel,
     .text = "About",
     .box = {4080, 3310, 855, 255},
     .alignment = Alignment::Centred,
     .tooltip = "About"},
    {.name = frmMainControls::help,
     .kind = ControlKind::ClickableLabel,
     .text = "Help",
     .box = {5210, 3320, 975, 255},
     .alignment = Alignment::Centred,
     .tooltip = "Help"},
};

constexpr OutlineDesign outlines[] = {
    {"Shape1", {120, 120, 6375, 3615}},  {"Shape3", {5760, 240, 255, 255}},   {"Shape2", {6120, 240, 240, 240}},
    {"Shape6", {2280, 2040, 1100, 375}}, {"Shape5", {3680, 2040, 1015, 375}}, {"Shape4", {5040, 2040, 1015, 375}},
    {"Shape8", {3960, 3240, 1095, 375}}, {"Shape7", {5160, 3240, 1095, 375}},
};

constexpr LineDesign lines[] = {
    {"Line1", {240, 600}, {6360, 600}},
    {"Line2", {240, 3120}, {6360, 3120}},
};

constexpr std::string_view tabOrder[] = {frmMainControls::fileName, frmMainControls::password};

} // namespace

constinit const WindowDesign frmMainDesign{
    .name = "frmMain",
    .caption = "Orvelin File Encryption",
    .clientSize = {6645, 3930},
    .icon = "orvelin.png",
    .controls = controls,
    .outlines = outlines,
    .lines = lines,
    .tabOrder = tabOrder,
};

} // namespace orvelin
