#include "frmMain_design.h"

namespace orvelin {
namespace {

constexpr Rgb white{255, 255, 255};

constexpr ControlDesign controls[] = {
    {.name = "Label1", .text = "ORVELIN FILE ENCRYPTOR", .box = {240, 290, 2895, 255}, .colour = Colour::Black},
    {.name = "Label3",
     .kind = ControlKind::ClickableLabel,
     .text = "_",
     .box = {5805, 240, 135, 240},
     .font = msSansSerif(9.75),
     .alignment = Alignment::Centred,
     .tooltip = "Minimize",
     .sizedToText = true},
    {.name = "Label2",
     .kind = ControlKind::ClickableLabel,
     .text = "X",
     .box = {6120, 260, 220, 220},
     .alignment = Alignment::Centred,
     .tooltip = "Exit"},
    {.name = "lbllfilename",
     .text = "File Name",
     .box = {240, 960, 975, 255},
     .font = timesNewRoman(9.75),
     .colour = Colour::Black},
    {.name = "txtfilename",
     .kind = ControlKind::TextBox,
     .box = {1080, 960, 5055, 285},
     .colour = Colour::Black,
     .background = white},
    {.name = "lblpassword",
     .text = "Password",
     .box = {240, 1560, 975, 255},
     .font = timesNewRoman(9.75),
     .colour = Colour::Black},
    // Shown as typed: the user sees what the file will be locked with.
    {.name = "txtpassword", .kind = ControlKind::TextBox, .box = {1080, 1560, 5055, 285}, .colour = Colour::BoxText},
    {.name = "cmdencrypt",
     .kind = ControlKind::ClickableLabel,
     .text = "Encrypt",
     .box = {2380, 2110, 855, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Encrypt"},
    {.name = "cmddecrypt",
     .kind = ControlKind::ClickableLabel,
     .text = "Decrypt",
     .box = {3800, 2110, 735, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Decrypt"},
    {.name = "cmdbrowse",
     .kind = ControlKind::ClickableLabel,
     .text = "Browse",
     .box = {5100, 2110, 855, 255},
     .colour = Colour::Black,
     .alignment = Alignment::Centred,
     .tooltip = "Browse"},
    {.name = "lblmessage",
     .box = {1440, 2880, 3855, 255},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred},
    // In the empty band between the buttons and the status line, under the status's width.
    {.name = "jobprogress", .kind = ControlKind::ProgressBar, .box = {1440, 2475, 3855, 255}, .visible = false},
    {.name = "securitykey", .kind = ControlKind::ClickArea, .box = {240, 3240, 495, 375}},
    {.name = "Label4",
     .kind = ControlKind::ClickableLabel,
     .text = "About",
     .box = {4080, 3310, 855, 255},
     .alignment = Alignment::Centred,
     .tooltip = "About"},
    {.name = "Label5",
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

constexpr std::string_view tabOrder[] = {"txtfilename", "txtpassword"};

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
