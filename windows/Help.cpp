#include "Help.h"

#include "app/twips.h"
#include "app/window_fonts.h"

namespace orvelin {

Help::Help() : InformationWindow(QStringLiteral("Help"), sizeFromTwips(5115, 3780), QStringLiteral(":/help.png")) {
  addOutline(boxFromTwips(120, 120, 4815, 3495)); // Shape1
  addText("Label1", {.text = "HELP", .box = boxFromTwips(240, 280, 855, 255)});
  addLine(lineFromTwips(240, 600, 4800, 600));   // Line1
  addOutline(boxFromTwips(4200, 240, 240, 240)); // Shape3
  addMinimizeLabel("Label6", {.text = "_",
                              .box = boxFromTwips(4260, 220, 135, 240),
                              .alignment = centred,
                              .font = msSansSerif(9.75),
                              .tooltip = "Minimize",
                              .sizedToText = true});
  addOutline(boxFromTwips(4560, 240, 240, 240)); // Shape2
  addExitLabel("Label5",
               {.text = "X", .box = boxFromTwips(4560, 240, 225, 225), .alignment = centred, .tooltip = "Exit"});

  addText("Label2", {.text = "How to Use",
                     .box = boxFromTwips(1680, 720, 1455, 375),
                     .alignment = centred,
                     .font = timesNewRoman(9.75)});
  addText("Label3",
          {.text = "At first click on file encryption icon/logo/corporate identity then browse your desire text file "
                   "which you want to encrypted then just put cursor on password text box then input your password "
                   "then click on encrypt button. Vice versa for decrypted.",
           .box = boxFromTwips(360, 1120, 4335, 980),
           .alignment = centred});
  addText("Label4", {.text = "You can also follow user guide for instruction!",
                     .box = boxFromTwips(840, 2160, 3255, 450),
                     .alignment = centred,
                     .font = timesNewRoman(8.25, QFont::Bold)});
  addLine(lineFromTwips(240, 2640, 4800, 2640)); // Line2
  addText("Label7", {.text = "Orvelin File Encryptor is provided as is, without warranty of any kind. Keep a copy of "
                             "your password: without it an encrypted file cannot be recovered.",
                     .box = boxFromTwips(360, 2730, 4335, 780),
                     .alignment = centred});
}

} // namespace orvelin
