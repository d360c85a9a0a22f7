#include "ui/Layout.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QValidator>
#include <QVariant>
#include <QWidget>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orv::ui {

namespace {

// The nearest int, held at the ends of its range.
int Saturated(double value) {
    return static_cast<int>(std::clamp(std::round(value), double(std::numeric_limits<int>::min()),
                                       double(std::numeric_limits<int>::max())));
}

// A one-line box holds one line: the line breaks of pasted or dropped text are taken out and the
// rest kept, so nothing sent or saved from the box can end a line early.
class OneLine final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        for (qsizetype i = input.size(); i-- > 0;) {
            if (input[i] != QLatin1Char('\r') && input[i] != QLatin1Char('\n')) continue;
            input.remove(i, 1);
            if (i < pos) --pos;
        }
        return Acceptable;
    }
};

// Where MakeEdit keeps a box's caption.
constexpr char CaptionProperty[] = "orvCaption";

// What boxes of either kind are given.
QLineEdit* Prepare(QLineEdit* edit, const char* name, const QString& label, int maxLength,
                   const QString& text) {
    edit->setText(text);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(label);
    edit->setProperty(CaptionProperty, label);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    edit->setValidator(new OneLine(edit));
    return edit;
}

} // namespace

int Scaled(const QWidget* widget, int designed) {
    return Saturated(designed * (widget->logicalDpiY() / 120.0));
}

int Unscaled(const QWidget* widget, int pixels) {
    return Saturated(pixels * (120.0 / widget->logicalDpiY()));
}

QRect ScreenRoom(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen != nullptr ? screen->availableVirtualGeometry()
                             : QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

int ScaledWithinScreen(const QWidget* widget, int designed, Qt::Orientation along) {
    const QSize room = ScreenRoom(widget).size();
    const int most = std::max(along == Qt::Horizontal ? room.width() : room.height(), 1);
    return std::clamp(Scaled(widget, designed), 1, most); // Scaled saturates: no overflow to clamp first
}

void PlaceScaled(QWidget* widget, int x, int y, int width, int height) {
    widget->setGeometry(Scaled(widget, x), Scaled(widget, y), Scaled(widget, width), Scaled(widget, height));
}

void CentreOnScreen(QWidget* widget) {
    if (const QScreen* screen = widget->screen()) {
        QRect frame = widget->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        widget->move(frame.topLeft());
    }
}

void FixDesignedSize(QWidget* widget, int designedWidth, int designedHeight) {
    const QSize needed = widget->sizeHint();
    widget->setFixedSize(std::max(Scaled(widget, designedWidth), needed.width()),
                         std::max(Scaled(widget, designedHeight), needed.height()));
}

void FitLabelText(QLabel* label) {
    QFont font = label->font();
    const QRect room = label->contentsRect();
    auto needed = [&] {
        return QFontMetrics(font).boundingRect(room, int(label->alignment()), label->text());
    };
    for (int guard = 0; guard < 40 && (needed().width() > room.width() || needed().height() > room.height());
         ++guard) {
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() - 1);
        else
            font.setPointSizeF(font.pointSizeF() - 0.5);
        if ((font.pixelSize() > 0 && font.pixelSize() <= 6) ||
            (font.pixelSize() <= 0 && font.pointSizeF() <= 5))
            break;
    }
    label->setFont(font);
}

QFont FontOf(const QWidget* widget, const QString& face, int designedPixels) {
    QFont font(face);
    font.setPixelSize(Scaled(widget, designedPixels));
    return font;
}

QString SpokenCaption(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i;
        spoken += caption[i];
    }
    return spoken.trimmed();
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, int maxLength,
                    const QString& text) {
    return Prepare(new QLineEdit(parent), name, label, maxLength, text);
}

QLineEdit* MakeReadOnlyEdit(QWidget* parent, const char* name, const QString& label, int maxLength,
                            const QString& text) {
    return Prepare(new ReadOnlyEdit(parent), name, label, maxLength, text);
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

QString CaptionOf(const QLineEdit* edit) {
    return edit->property(CaptionProperty).toString();
}

void SpellOut(QWidget* control, const QString& fullName) {
    control->setAccessibleName(fullName);
}

void Describe(QWidget* control, const QString& whatItDoes) {
    control->setAccessibleDescription(whatItDoes);
}

void SetTabOrder(const QList<QWidget*>& controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void AddRow(QGridLayout* grid, int row, QLineEdit* edit, int columns) {
    auto* label = new QLabel(CaptionOf(edit), edit->parentWidget());
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1, 1, columns);
}

} // namespace orv::ui
