#include "softinf.h"

#include "app/twips.h"
#include "app/window_fonts.h"

namespace orvelin {

softinf::softinf()
    : InformationWindow(QStringLiteral("Software Information"), sizeFromTwips(4515, 3765),
                        QStringLiteral(":/info.png")) {
  addOutline(boxFromTwips(120, 120, 4215, 3495)); // Shape1
  addText("Label1", {.text = "Orvelin File Encryptor",
                     .box = boxFromTwips(240, 360, 3855, 375),
                     .alignment = centred,
                     .font = msSansSerif(9.75, QFont::Bold)});
  addText("Label2", {.text = "Project Start Date: 14 March 2021",
                     .box = boxFromTwips(360, 960, 3735, 375),
                     .font = msSansSerif(9.75)});
  addText("Label3",
          {.text = "Publisher: Orvelin", .box = boxFromTwips(360, 1680, 3735, 375), .font = msSansSerif(9.75)});
  addText("Label4",
          {.text = "ID Code: OFE-7Q41-2209", .box = boxFromTwips(360, 2400, 3735, 375), .font = msSansSerif(9.75)});
  addText(
      "Label5",
      {.text = "Developed by Orvelin Core Team", .box = boxFromTwips(360, 3120, 3735, 375), .font = msSansSerif(9.75)});
  addExitLabel("Label6", {.text = "C",
                          .box = boxFromTwips(3840, 3120, 375, 375),
                          .alignment = centred,
                          .font = msSansSerif(12, QFont::Bold)});
}

} // namespace orvelin
