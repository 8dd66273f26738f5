// What assistive technology is told of every window the Qt front end makes, against what
// ui/accessibility.h derives from the designs: each control's role, name, description and label, a
// press that clicks, the news of an announced control, and which group selector is checked.

#include "frontends/qt/qt_conversions.h"
#include "frontends/qt/window_fonts.h"
#include "open_window.h"
#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <optional>
#include <ranges>

using orvelin::AccessibleControl;
using orvelin::AccessibleRole;
using orvelin::ControlDesign;
using orvelin::Window;
using orvelin::WindowDesign;
using orvelin::testing::OpenWindow;
using orvelin::testing::windowNamed;

namespace {

QAccessible::Role qtRole(AccessibleRole role) {
  switch (role) {
  case AccessibleRole::Button:
    return QAccessible::Button;
  case AccessibleRole::EditableText:
    return QAccessible::EditableText;
  case AccessibleRole::ProgressBar:
    return QAccessible::ProgressBar;
  case AccessibleRole::StaticText:
    break;
  }
  return QAccessible::StaticText;
}

// What the update handler was told: the object, the kind of event, and the object's name then.
struct Update {
  QObject *object;
  QAccessible::Event type;
  QString name;
  bool operator==(const Update &) const = default;
};

std::vector<Update> updates;

void recordUpdate(QAccessibleEvent *event) {
  QAccessibleInterface *changed = event->accessibleInterface();
  updates.push_back(
      {event->object(), event->type(), changed != nullptr ? changed->text(QAccessible::Name) : QString()});
}

QStringList actionsOf(QAccessibleInterface &control) {
  QAccessibleActionInterface *actions = control.actionInterface();
  return actions != nullptr ? actions->actionNames() : QStringList();
}

} // namespace

class QtAccessibilityTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    orvelin::registerFontSubstitutes();
    // As when a screen reader listens: without one, changes are not told.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    QAccessible::installUpdateHandler(recordUpdate);
  }
  void init() { updates.clear(); }
  void cleanup() { window_.reset(); }

  void eachControlIsDescribedAsItsDesignSays_data() { everyWindow(); }
  void eachControlIsDescribedAsItsDesignSays();
  void eachNewTextOfAnAnnouncedControlIsAnnounced_data() { everyWindow(); }
  void eachNewTextOfAnAnnouncedControlIsAnnounced();
  void aSelectorIsCheckedWhileItsGroupShows_data() { everyWindow(); }
  void aSelectorIsCheckedWhileItsGroupShows();

private:
  static void everyWindow() {
    QTest::addColumn<int>("unused");
    for (const Window window : orvelin::allWindows) {
      QTest::newRow(orvelin::designOf(window).name.data()) << 0;
    }
  }
  // The window of the running row, open.
  const WindowDesign &open() {
    const Window window = windowNamed(QString::fromLatin1(QTest::currentDataTag()));
    window_.emplace(window);
    return orvelin::designOf(window);
  }
  [[nodiscard]] QWidget &widget(std::string_view control) const {
    return *window_->widget().findChild<QWidget *>(orvelin::qtString(control));
  }
  [[nodiscard]] QAccessibleInterface &accessible(std::string_view control) const {
    return *QAccessible::queryAccessibleInterface(&widget(control));
  }

  std::optional<OpenWindow> window_;
};

void QtAccessibilityTest::eachControlIsDescribedAsItsDesignSays() {
  const WindowDesign &design = open();
  QCOMPARE(QAccessible::queryAccessibleInterface(&window_->widget())->text(QAccessible::Name),
           orvelin::qtString(design.caption));
  for (const ControlDesign &control : design.controls) {
    const AccessibleControl expected = orvelin::accessibleOf(design, control);
    QAccessibleInterface &actual = accessible(control.name);
    const QByteArray name = orvelin::qtString(control.name).toLatin1();
    QVERIFY2(actual.role() == qtRole(expected.role), name);
    QCOMPARE(actual.text(QAccessible::Name), orvelin::qtString(expected.name));
    QCOMPARE(actual.text(QAccessible::Description), orvelin::qtString(expected.description));
    // The keyboard reaches the controls of the tab order only, whatever assistive technology may press.
    QCOMPARE(actual.state().focusable, std::ranges::find(design.tabOrder, control.name) != design.tabOrder.end());
    QStringList labels;
    for (const auto &[label, relation] : actual.relations(QAccessible::Label)) {
      labels.append(label->object()->objectName());
    }
    QCOMPARE(labels, expected.labelledBy.empty() ? QStringList() : QStringList{orvelin::qtString(expected.labelledBy)});

    QCOMPARE(actionsOf(actual).contains(QAccessibleActionInterface::pressAction()), orvelin::pressable(expected));
    if (orvelin::pressable(expected)) {
      window_->events.list.clear();
      actual.actionInterface()->doAction(QAccessibleActionInterface::pressAction());
      QCOMPARE(window_->events.list, QStringList{QStringLiteral("click ") + orvelin::qtString(control.name)});
    }
  }
}

void QtAccessibilityTest::eachNewTextOfAnAnnouncedControlIsAnnounced() {
  const WindowDesign &design = open();
  // The same text again is news too: the same job ended the same way once more.
  const QStringList texts{QStringLiteral("Working...."), QStringLiteral("Done!"), QStringLiteral("Done!")};
  for (const ControlDesign &control : design.controls) {
    if (!orvelin::accessibleOf(design, control).announced) {
      continue;
    }
    updates.clear();
    for (const QString &text : texts) {
      window_->rendered.setText(control.name, text.toStdU16String());
    }
    std::vector<Update> expected;
    for (const QString &text : texts) {
      expected.push_back({&widget(control.name), QAccessible::NameChanged, text});
    }
    std::erase_if(updates, [](const Update &update) { return update.type != QAccessible::NameChanged; });
    QCOMPARE(updates, expected);
  }
}

void QtAccessibilityTest::aSelectorIsCheckedWhileItsGroupShows() {
  const WindowDesign &design = open();
  for (const orvelin::GroupDesign &shown : design.groups) {
    QStringList checkedBefore;
    for (const ControlDesign &control : design.controls) {
      if (accessible(control.name).state().checked) {
        checkedBefore.append(orvelin::qtString(control.name));
      }
    }
    updates.clear();
    for (const orvelin::GroupDesign &group : design.groups) {
      for (const std::string_view control : group.controls) {
        window_->rendered.setVisible(control, &group == &shown);
      }
    }
    // Told of each selector whose state changed, and of no other.
    QStringList changed;
    for (const ControlDesign &control : design.controls) {
      const AccessibleControl described = orvelin::accessibleOf(design, control);
      const QAccessible::State state = accessible(control.name).state();
      QCOMPARE(state.checkable, !described.selects.empty());
      QCOMPARE(state.checked, !described.selects.empty() && described.selects == shown.controls.front());
      if (state.checked != checkedBefore.contains(orvelin::qtString(control.name))) {
        changed.append(orvelin::qtString(control.name));
      }
    }
    QStringList told;
    for (const Update &update : updates) {
      if (update.type == QAccessible::StateChanged) {
        told.append(update.object->objectName());
      }
    }
    told.sort();
    changed.sort();
    QCOMPARE(told, changed);
  }
}

QTEST_MAIN(QtAccessibilityTest)
#include "qt_accessibility_test.moc"
