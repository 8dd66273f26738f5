#pragma once
// The credits, in three groups that share one place on the window; the user picks which one shows.

#include "information_window.h"

#include <array>
#include <vector>

namespace orvelin {

class About : public InformationWindow {
  Q_OBJECT

public:
  About();

private:
  enum class Group { Adcc, Credit, Communication };

  void createFrame();
  void createGroups();
  void createSelectors();
  void addGroupText(Group group, const char *name, const LabelLook &look);
  void addSelector(Group group, const char *name, const LabelLook &look);
  void showGroup(Group group);

  std::array<std::vector<QLabel *>, 3> groups_;
};

} // namespace orvelin
