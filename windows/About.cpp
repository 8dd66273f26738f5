#include "About.h"

#include "app/clickable_label.h"
#include "app/twips.h"
#include "app/window_fonts.h"

#include <cstddef>

namespace orvelin {

About::About() : InformationWindow(QStringLiteral("About"), sizeFromTwips(5115, 3780), QStringLiteral(":/info.png")) {
  createFrame();
  createGroups();
  createSelectors();
  // Before the window is first drawn, so that the other groups never show.
  showGroup(Group::Adcc);
}

void About::createFrame() {
  addOutline(boxFromTwips(120, 120, 4815, 3495)); // Shape1
  addText("Label1", {.text = "ABOUT", .box = boxFromTwips(240, 280, 735, 255)});
  addLine(lineFromTwips(240, 600, 4800, 600));   // Line1
  addOutline(boxFromTwips(4200, 240, 255, 255)); // Shape3
  addMinimizeLabel(
      "Label3",
      {.text = "_", .box = boxFromTwips(4280, 220, 255, 255), .font = msSansSerif(9.75), .tooltip = "Minimize"});
  addOutline(boxFromTwips(4560, 240, 255, 255)); // Shape2
  addExitLabel("Label2", {.text = "X", .box = boxFromTwips(4620, 250, 255, 255), .tooltip = "Exit"});
  addLine(lineFromTwips(240, 2640, 4800, 2640)); // Line2
  addText(
      "Label20",
      {.text = "Product ID: OFE-22074", .box = boxFromTwips(2400, 2760, 1935, 255), .background = QColor(0, 192, 0)});
}

void About::createGroups() {
  addGroupText(Group::Adcc, "Label4",
               {.text = "About Developer",
                .box = boxFromTwips(1180, 720, 2775, 375),
                .alignment = centred,
                .font = timesNewRoman(9.75)});
  addGroupText(Group::Adcc, "Label5",
               {.text = "Orvelin Development Team", .box = boxFromTwips(1110, 1060, 2895, 375), .alignment = centred});
  addGroupText(
      Group::Adcc, "Label6",
      {.text = "Software User Interface Architect ", .box = boxFromTwips(1250, 1380, 2775, 375), .alignment = centred});
  addGroupText(Group::Adcc, "Label7",
               {.text = "Key People", .box = boxFromTwips(1050, 1720, 2895, 255), .alignment = centred});
  addGroupText(Group::Adcc, "Label8",
               {.text = "Code Creator",
                .box = boxFromTwips(920, 2020, 3135, 375),
                .alignment = centred,
                .font = timesNewRoman(9.75)});
  addGroupText(Group::Adcc, "Label9",
               {.text = "Orvelin Core Team", .box = boxFromTwips(1610, 2295, 1815, 360), .alignment = centred});

  addGroupText(Group::Credit, "Label12",
               {.text = "Gratitude",
                .box = boxFromTwips(2000, 720, 1095, 255),
                .alignment = centred,
                .font = timesNewRoman(12)});
  addGroupText(Group::Credit, "Label13",
               {.text = "Orvelin Design Team", .box = boxFromTwips(1200, 1080, 2655, 375), .alignment = centred});
  addGroupText(Group::Credit, "Label15",
               {.text = "Orvelin Test Team", .box = boxFromTwips(1200, 1560, 2655, 375), .alignment = centred});
  addGroupText(Group::Credit, "Label14",
               {.text = "Orvelin Support Team", .box = boxFromTwips(1200, 2040, 2655, 375), .alignment = centred});

  addGroupText(Group::Communication, "Label17",
               {.text = "e-mail: support@orvelin.invalid", .box = boxFromTwips(1440, 840, 2535, 375)});
  addGroupText(Group::Communication, "Label18",
               {.text = "Website: https://orvelin.invalid", .box = boxFromTwips(1320, 1440, 2775, 375)});
  addGroupText(Group::Communication, "Label19",
               {.text = "Support Center: https://orvelin.invalid/help",
                .box = boxFromTwips(960, 2040, 3615, 255),
                .alignment = centred});
}

void About::createSelectors() {
  addOutline(boxFromTwips(1560, 3120, 1215, 375)); // Shape6
  addSelector(Group::Communication, "Label16",
              {.text = "Communication", .box = boxFromTwips(1590, 3195, 1095, 255), .tooltip = "Communication"});
  addOutline(boxFromTwips(2880, 3120, 855, 375)); // Shape5
  addSelector(Group::Adcc, "Label10",
              {.text = "ADCC",
               .box = boxFromTwips(3050, 3220, 495, 255),
               .alignment = centred,
               .tooltip = "About Developer and Code Creator"});
  addOutline(boxFromTwips(3850, 3120, 900, 375)); // Shape4
  addSelector(Group::Credit, "Label11",
              {.text = "Credit", .box = boxFromTwips(3940, 3210, 735, 255), .alignment = centred, .tooltip = "Credit"});
}

void About::addGroupText(Group group, const char *name, const LabelLook &look) {
  groups_.at(static_cast<std::size_t>(group)).push_back(addText(name, look));
}

void About::addSelector(Group group, const char *name, const LabelLook &look) {
  connect(addText<ClickableLabel>(name, look), &ClickableLabel::clicked, this, [this, group] { showGroup(group); });
}

void About::showGroup(Group group) {
  for (std::size_t index = 0; index < groups_.size(); ++index) {
    for (QLabel *label : groups_.at(index)) {
      label->setVisible(index == static_cast<std::size_t>(group));
    }
  }
}

} // namespace orvelin
