#include "Help_design.h"

namespace orvelin {
namespace {

constexpr ControlDesign controls[] = {
    {.name = HelpControls::title, .text = "HELP", .box = {240, 280, 855, 255}, .wordWrap = true},
    {.name = HelpControls::minimise,
     .kind = ControlKind::ClickableLabel,
     .text = "_",
     .box = {4260, 220, 135, 240},
     .font = msSansSerif(9.75),
     .alignment = Alignment::Centred,
     .tooltip = "Minimize",
     .wordWrap = true,
     .sizedToText = true,
     .accessibleName = "Minimize"},
    {.name = HelpControls::exit,
     .kind = ControlKind::ClickableLabel,
     .text = "X",
     .box = {4560, 240, 225, 225},
     .alignment = Alignment::Centred,
     .tooltip = "Exit",
     .wordWrap = true,
     .accessibleName = "Exit"},
    {.name = HelpControls::howToUse,
     .text = "How to Use",
     .box = {1680, 720, 1455, 375},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = HelpControls::instructions,
     .text = "At first click on file encryption icon/logo/corporate identity then browse your desire text file "
             "which you want to encrypted then just put cursor on password text box then input your password "
             "then click on encrypt button. Vice versa for decrypted.",
     .box = {360, 1120, 4335, 980},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = HelpControls::userGuide,
     .text = "You can also follow user guide for instruction!",
     .box = {840, 2160, 3255, 450},
     .font = timesNewRoman(8.25, boldWeight),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = HelpControls::warranty,
     .text = "Orvelin File Encryptor is provided as is, without warranty of any kind. Keep a copy of your password: "
             "without it an encrypted file cannot be recovered.",
     .box = {360, 2730, 4335, 780},
     .alignment = Alignment::Centred,
     .wordWrap = true},
};

constexpr OutlineDesign outlines[] = {
    {"Shape1", {120, 120, 4815, 3495}},
    {"Shape3", {4200, 240, 240, 240}},
    {"Shape2", {4560, 240, 240, 240}},
};

constexpr LineDesign lines[] = {
    {"Line1", {240, 600}, {4800, 600}},
    {"Line2", {240, 2640}, {4800, 2640}},
};

} // namespace

constinit const WindowDesign HelpDesign{
    .name = "Help",
    .caption = "Help",
    .clientSize = {5115, 3780},
    .icon = "help.png",
    .controls = controls,
    .outlines = outlines,
    .lines = lines,
};

} // namespace orvelin
