#include "softinf_design.h"

namespace orvelin {
namespace {

constexpr ControlDesign controls[] = {
    {.name = softinfControls::title,
     .text = "Orvelin File Encryptor",
     .box = {240, 360, 3855, 375},
     .font = msSansSerif(9.75, boldWeight),
     .alignment = Alignment::Centred,
     .wordWrap = true},
    {.name = softinfControls::startDate,
     .text = "Project Start Date: 14 March 2021",
     .box = {360, 960, 3735, 375},
     .font = msSansSerif(9.75),
     .wordWrap = true},
    {.name = softinfControls::publisher,
     .text = "Publisher: Orvelin",
     .box = {360, 1680, 3735, 375},
     .font = msSansSerif(9.75),
     .wordWrap = true},
    {.name = softinfControls::idCode,
     .text = "ID Code: OFE-7Q41-2209",
     .box = {360, 2400, 3735, 375},
     .font = msSansSerif(9.75),
     .wordWrap = true},
    {.name = softinfControls::developedBy,
     .text = "Developed by Orvelin Core Team",
     .box = {360, 3120, 3735, 375},
     .font = msSansSerif(9.75),
     .wordWrap = true},
    {.name = softinfControls::close,
     .kind = ControlKind::ClickableLabel,
     .text = "C",
     .box = {3840, 3120, 375, 375},
     .font = msSansSerif(12, boldWeight),
     .alignment = Alignment::Centred,
     .wordWrap = true,
     .accessibleName = "Close"},
};

constexpr OutlineDesign outlines[] = {
    {"Shape1", {120, 120, 4215, 3495}},
};

} // namespace

constinit const WindowDesign softinfDesign{
    .name = "softinf",
    .caption = "Software Information",
    .clientSize = {4515, 3765},
    .icon = "info.png",
    .controls = controls,
    .outlines = outlines,
};

} // namespace orvelin
