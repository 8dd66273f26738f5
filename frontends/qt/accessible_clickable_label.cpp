#include "accessible_clickable_label.h"

#include "clickable_label.h"

#include <QAccessibleWidget>

namespace orvelin {
namespace {

class AccessibleClickableLabel final : public QAccessibleWidget {
public:
  explicit AccessibleClickableLabel(ClickableLabel &label) : QAccessibleWidget(&label, QAccessible::Button) {}

  [[nodiscard]] QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return label().text();
    }
    return QAccessibleWidget::text(kind);
  }

  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (label().selector()) {
      state.checkable = true;
      state.checked = label().selected();
    }
    return state;
  }

  [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }

  void doAction(const QString &action) override {
    if (action == pressAction()) {
      label().press();
    }
  }

  [[nodiscard]] QStringList keyBindingsForAction(const QString & /*action*/) const override { return {}; }

private:
  [[nodiscard]] ClickableLabel &label() const { return *static_cast<ClickableLabel *>(widget()); }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object) {
  auto *label = qobject_cast<ClickableLabel *>(object);
  if (label == nullptr || className != QLatin1String(ClickableLabel::staticMetaObject.className())) {
    return nullptr;
  }
  return new AccessibleClickableLabel(*label);
}

} // namespace

void installAccessibleClickableLabels() {
  static const bool installed = [] {
    QAccessible::installFactory(interfaceFor);
    return true;
  }();
  static_cast<void>(installed);
}

} // namespace orvelin
