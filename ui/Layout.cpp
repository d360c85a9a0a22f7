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
    return std::clamp(Scaled(widget, std::clamp(designed, 1, Unscaled(widget, most))), 1, most);
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

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& label, int maxLength,
                    const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(label);
    if (maxLength > 0) edit->setMaxLength(maxLength);
    edit->setValidator(new OneLine(edit));
    return edit;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

void AddRow(QGridLayout* grid, int row, QLineEdit* edit, int columns) {
    auto* label = new QLabel(edit->accessibleName(), edit->parentWidget());
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1, 1, columns);
}

} // namespace orv::ui
