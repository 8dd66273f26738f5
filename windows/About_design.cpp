#include "About_design.h"

namespace orvelin {
namespace {

constexpr Rgb green{0, 192, 0};

constexpr ControlDesign controls[] = {
    {.name = AboutControls::title, .text = "ABOUT", .box = {240, 280, 735, 255}, .wordWrap = true},
    {.name = AboutControls::minimise,
     .kind = ControlKind::ClickableLabel,
     .text = "_",
     .box = {4280, 220, 255, 255},
     .font = msSansSerif(9.75),
     .tooltip = "Minimize",
     .wordWrap = true,
     .accessibleName = "Minimize"},
    {.name = AboutControls::exit,
     .kind = ControlKind::ClickableLabel,
     .text = "X",
     .box = {4620, 250, 255, 255},
     .tooltip = "Exit",
     .wordWrap = true,
     .accessibleName = "Exit"},
    {.name = AboutControls::productId,
     .text = "Product ID: OFE-22074",
     .box = {2400, 2760, 1935, 255},
     .background = green,
     .wordWrap = true},

    {.name = AboutControls::aboutDeveloper,
     .text = "About Developer",
     .box = {1180, 720, 2775, 375},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::developmentTeam,
     .text = "Orvelin Development Team",
     .box = {1110, 1060, 2895, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::interfaceArchitect,
     .text = "Software User Interface Architect ",
     .box = {1250, 1380, 2775, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::keyPeople,
     .text = "Key People",
     .box = {1050, 1720, 2895, 255},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::codeCreator,
     .text = "Code Creator",
     .box = {920, 2020, 3135, 375},
     .font = timesNewRoman(9.75),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::coreTeam,
     .text = "Orvelin Core Team",
     .box = {1610, 2295, 1815, 360},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = AboutControls::gratitude,
     .text = "Gratitude",
     .box = {2000, 720, 1095, 255},
     .font = timesNewRoman(12),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::designTeam,
     .text = "Orvelin Design Team",
     .box = {1200, 1080, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::testTeam,
     .text = "Orvelin Test Team",
     .box = {1200, 1560, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = AboutControls::supportTeam,
     .text = "Orvelin Support Team",
     .box = {1200, 2040, 2655, 375},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = AboutControls::email,
     .text = "e-mail: support@orvelin.invalid",
     .box = {1440, 840, 2535, 375},
     .wordWrap = true},
    {.name = AboutControls::website,
     .text = "Website: https://orvelin.invalid",
     .box = {1320, 1440, 2775, 375},
     .wordWrap = true},
    {.name = AboutControls::supportCenter,
     .text = "Support Center: https://orvelin.invalid/help",
     .box = {960, 2040, 3615, 255},
     .alignment = Alignment::Centred,
     .wordWrap = true},

    {.name = AboutControls::showCommunication,
     .kind = ControlKind::ClickableLabel,
     .text = "Communication",
     .box = {1590, 3195, 1095, 255},
     .tooltip = "Communication",
     .wordWrap = true},
    {.name = AboutControls::showAdcc,
     .kind = ControlKind::ClickableLabel,
     .text = "ADCC",
     .box = {3050, 3220, 495, 255},
     .alignment = Alignment::Centred,
     .tooltip = "About Developer and Code Creator",
     .wordWrap = true},
    {.name = AboutControls::showCredit,
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

constexpr std::string_view adcc[] = {AboutControls::aboutDeveloper,     AboutControls::developmentTeam,
                                     AboutControls::interfaceArchitect, AboutControls::keyPeople,
                                     AboutControls::codeCreator,        AboutControls::coreTeam};
constexpr std::string_view credit[] = {AboutControls::gratitude, AboutControls::designTeam, AboutControls::supportTeam,
                                       AboutControls::testTeam};
constexpr std::string_view communication[] = {AboutControls::email, AboutControls::website,
                                              AboutControls::supportCenter};

// The first is the one shown when the window opens.
constexpr GroupDesign groups[] = {
    {"ADCC", AboutControls::showAdcc, adcc},
    {"Credit", AboutControls::showCredit, credit},
    {"Communication", AboutControls::showCommunication, communication},
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
