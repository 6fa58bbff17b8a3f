#include "ui/qt/field_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace kalendo {
namespace {

// Qt's own interface of a combo box gives its value as its name on Linux
// (and leaves the label to a relation, which readers announce only on
// some paths); this one gives the name the box was given, and its value as
// the value.
class NamedComboBoxAccessible : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        const auto* box = static_cast<const QComboBox*>(object());
        if (t == QAccessible::Value) return box->isEditable() ? box->lineEdit()->text() : box->currentText();
        if (t == QAccessible::Name && box->accessibleName().isEmpty()) return box->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* NamedComboBoxFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(QComboBox::staticMetaObject.className())) return nullptr;
    auto* box = qobject_cast<QComboBox*>(object);
    return box != nullptr ? new NamedComboBoxAccessible(box) : nullptr;
}

}  // namespace

QString SpokenLabelText(const QString& labelText) {
    QString spoken = labelText;
    spoken.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&(?=.)")));
    // "表 示 期 間" is spaced for the eye; read aloud it is one word.
    spoken.remove(QRegularExpression(QStringLiteral("[ \u3000]")));
    return spoken;
}

void NameComboBoxesByTheirLabels(QWidget* dialog) {
    static const bool installed = [] {
        QAccessible::installFactory(NamedComboBoxFactory);
        return true;
    }();
    (void)installed;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        auto* box = qobject_cast<QComboBox*>(label->buddy());
        if (box == nullptr || !box->accessibleName().isEmpty()) continue;
        box->setAccessibleName(SpokenLabelText(label->text()));
    }
}

}  // namespace kalendo
