#include "gui/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QWindow>
#include <map>

#include "gui/grid_accessibility.h"
#include "gui/grid_view.h"

namespace tabulon::gui {
namespace {

QString WithoutMnemonic(QString text) {
  // "&&" is a literal "&"; a single "&" marks the mnemonic letter.
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// One page tab of a tab bar: a page tab that is selected while its page is shown.
class PageTabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  PageTabAccessible(QTabBar* bar, int index) : bar_(bar), index_(index) {}

  bool isValid() const override { return bar_ && index_ < bar_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return bar_ ? QAccessible::queryAccessibleInterface(bar_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    switch (t) {
      case QAccessible::Name:
        return WithoutMnemonic(bar_->tabText(index_));
      case QAccessible::Description:
        return bar_->tabToolTip(index_);
      default:
        return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = bar_->tabRect(index_);
    return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) return s;
    const bool current = index_ == bar_->currentIndex();
    s.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
    s.disabled = !bar_->isEnabled() || !bar_->isTabEnabled(index_);
    s.focusable = bar_->focusPolicy() != Qt::NoFocus;
    s.selectable = true;
    s.selected = current;
    s.focused = current && bar_->hasFocus();
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (isValid() && name == pressAction() && bar_->isTabEnabled(index_)) {
      bar_->setCurrentIndex(index_);
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QTabBar> bar_;
  int index_;
};

// A tab bar whose children are its page tabs.
class TabBarAccessible : public QAccessibleWidget {
 public:
  explicit TabBarAccessible(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {
    // Screen readers hear which tab became selected, whether or not the bar has the focus.
    QObject::connect(bar, &QTabBar::currentChanged, bar, [this, bar](int index) {
      if (index < 0) return;
      QAccessible::State changed;
      changed.selected = true;
      QAccessibleStateChangeEvent event(child(index), changed);
      QAccessible::updateAccessibility(&event);
      QAccessibleEvent selection(bar, QAccessible::Selection);
      selection.setChild(index);
      QAccessible::updateAccessibility(&selection);
    });
  }
  ~TabBarAccessible() override {
    for (const auto& [index, id] : children_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return bar()->count(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= bar()->count()) return nullptr;
    auto it = children_.find(index);
    if (it != children_.end()) return QAccessible::accessibleInterface(it->second);
    auto* tab = new PageTabAccessible(bar(), index);
    children_[index] = QAccessible::registerAccessibleInterface(tab);
    return tab;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (const auto& [index, id] : children_) {
      if (QAccessible::accessibleInterface(id) == child) return index;
    }
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
    return index >= 0 ? child(index) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    return bar()->hasFocus() ? child(bar()->currentIndex()) : nullptr;
  }

 private:
  QTabBar* bar() const { return static_cast<QTabBar*>(object()); }
  mutable std::map<int, QAccessible::Id> children_;
};

// A drop-down list that is named by its label (or accessible name), not by the entry it shows;
// the entry is its value. (On this platform the toolkit would announce the entry as the name.)
class ComboBoxAccessible : public QAccessibleWidget {
 public:
  explicit ComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return box()->currentText();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = box()->view() && box()->view()->isVisible();
    return s;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == showMenuAction() || name == pressAction()) {
      box()->showPopup();
    } else {
      QAccessibleWidget::doAction(name);
    }
  }

 private:
  QComboBox* box() const { return static_cast<QComboBox*>(object()); }
};

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("QComboBox") && object && object->isWidgetType() &&
      !static_cast<QComboBox*>(object)->isEditable()) {
    return new ComboBoxAccessible(static_cast<QComboBox*>(object));
  }
  if (class_name == QLatin1String(GridView::staticMetaObject.className())) {
    return MakeGridAccessible(qobject_cast<GridView*>(object));
  }
  if (class_name == QLatin1String("QTabBar") && object && object->isWidgetType()) {
    return new TabBarAccessible(static_cast<QTabBar*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(Factory);
}

}  // namespace tabulon::gui

namespace tabulon::gui {

void NameControlsByTheirLabels(QWidget* root) {
  for (QLabel* label : root->findChildren<QLabel*>()) {
    QWidget* control = label->buddy();
    if (control == nullptr || !control->accessibleName().isEmpty()) continue;
    QString name = WithoutMnemonic(label->text()).trimmed();
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    control->setAccessibleName(name.trimmed());
  }
}

}  // namespace tabulon::gui
