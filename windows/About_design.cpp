#include "About_design.h"

namespace orvelin {
namespace {

constexpr Rgb green{0, 192, 0};

constexpr ControlDesign controls[] = {
    {.name = "Label1", .text = "ABOUT", .box = {240, 280, 735, 255}, .wordWrap = true},
    {.name = "Label3",
     .kind = ControlKind::ClickableLabel,
     .text = "_",
     .box = {4280, 220, 255, 255},
     .font = msSansSerif(9.75),
     .tooltip = "Minimize",
     .wordWrap = true},
    {.name = "Label2",
     .kind = ControlKind::ClickableLabel,
     .text = "X",
     .box = {4620, 250, 255, 255},
     .tooltip = "Exit",
     .wordWrap = true},
    {.name = "Label20",
     .text = "Product ID: OFE-22074",
     .box = {2400, 2760, 1935, 255},
     .background = green,
     .wordWrap = true},

    {.name = "Label4",
     .text = "About Developer",
     .box = {1180, 720, 2775, 375},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label5",
     .text = "Orvelin Development Team",
     .box = {1110, 1060, 2895, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label6",
     .text = "Software User Interface Architect ",
     .box = {1250, 1380, 2775, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label7",
     .text = "Key People",
     .box = {1050, 1720, 2895, 255},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label8",
     .text = "Code Creator",
     .box = {920, 2020, 3135, 375},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label9",
     .text = "Orvelin Core Team",
     .box = {1610, 2295, 1815, 360},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = "Label12",
     .text = "Gratitude",
     .box = {2000, 720, 1095, 255},
     .font = timesNewRoman(12),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label13",
     .text = "Orvelin Design Team",
     .box = {1200, 1080, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label15",
     .text = "Orvelin Test Team",
     .box = {1200, 1560, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = "Label14",
     .text = "Orvelin Support Team",
     .box = {1200, 2040, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = "Label17", .text = "e-mail: support@orvelin.invalid", .box = {1440, 840, 2535, 375}, .wordWrap = true},
    {.name = "Label18", .text = "Website: https://orvelin.invalid", .box = {1320, 1440, 2775, 375}, .wordWrap = true},
    {.name = "Label19",
     .text = "Support Center: https://orvelin.invalid/help",
     .box = {960, 2040, 3615, 255},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = "Label16",
     .kind = ControlKind::ClickableLabel,
     .text = "Communication",
     .box = {1590, 3195, 1095, 255},
     .tooltip = "Communication",
     .wordWrap = true},
    {.name = "Label10",
     .kind = ControlKind::ClickableLabel,
     .text = "ADCC",
     .box = {3050, 3220, 495, 255},
     .alignment = Alignment::Centred,
     .tooltip = "About Developer and Code Creator",
     .wordWrap = true},
    {.name = "Label11",
     .kind = ControlKind::ClickableLabel,
     .text = "Credit",
     .box = {3940, 3210, 735, 255},
     .alignment = Alignment::Centred,
     .tooltip = "Credit",
     .wordWrap = true},
};

constexpr OutlineDesign outlines[] = {
    {"Shape1", {120, 120, 4815, 3495}},  {"Shape3", {4200, 240, 255, 255}},  {"Shape2", {4560, 240, 255, 255}},
    {"Shape6", {1560, 3120, 1215, 375}}, {"Shape5", {2880, 3120, 855, 375}}, {"Shape4", {3850, 3120, 900, 375}},
};

constexpr LineDesign lines[] = {
    {"Line1", {240, 600}, {4800, 600}},
    {"Line2", {240, 2640}, {4800, 2640}},
};

constexpr std::string_view adcc[] = {"Label4", "Label5", "Label6", "Label7", "Label8", "Label9"};
constexpr std::string_view credit[] = {"Label12", "Label13", "Label14", "Label15"};
constexpr std::string_view communication[] = {"Label17", "Label18", "Label19"};

// The first is the one shown when the window opens.
constexpr GroupDesign groups[] = {
    {"ADCC", "Label10", adcc},
    {"Credit", "Label11", credit},
    {"Communication", "Label16", communication},
};

} // namespace

constinit const WindowDesign AboutDesign{
    .name = "About",
    .caption = "About",
    .clientSize = {5115, 3780},
    .icon = "info.png",
    .controls = controls,
    .outlines = outlines,
    .lines = lines,
    .groups = groups,
};

} // namespace orvelin
