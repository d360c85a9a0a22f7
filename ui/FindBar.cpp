#include "ui/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

namespace orv::ui {

FindBar::FindBar(QPlainTextEdit* pane, QWidget* parent) : QWidget(parent), pane_(pane) {
    setObjectName(QStringLiteral("FindBar"));
    auto* caption = new QLabel(QStringLiteral("Fi&nd:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindEdit"));
    text_->setAccessibleName(QStringLiteral("Find in the output"));
    caption->setBuddy(text_);
    matchCase_ = new QCheckBox(QStringLiteral("&Match case"), this);
    matchCase_->setObjectName(QStringLiteral("MatchCaseCheck"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("FindCount"));
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FindCloseBtn"));
    close->setText(QStringLiteral("Close"));
    close->setAccessibleName(QStringLiteral("Close the find bar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->addWidget(caption);
    row->addWidget(text_, 1);
    row->addWidget(matchCase_);
    row->addWidget(count_);
    row->addWidget(close);
    text_->installEventFilter(this);
    connect(text_, &QLineEdit::textEdited, this, &FindBar::FindAsTyped);
    connect(matchCase_, &QCheckBox::toggled, this, &FindBar::FindAsTyped);
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    hide();
}

void FindBar::Open() {
    const bool wasOpen = isVisible();
    show();
    text_->setFocus();
    text_->selectAll();
    if (!wasOpen) emit OpenChanged(true);
}

void FindBar::Close() {
    if (!isVisible()) return;
    hide();
    // The match stays selected for a copy; the pane goes back to its newest line.
    emit OpenChanged(false);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindNext(!key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QTextDocument::FindFlags FindBar::Flags(bool upward) const {
    QTextDocument::FindFlags flags;
    if (upward) flags |= QTextDocument::FindBackward;
    if (matchCase_->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    return flags;
}

void FindBar::FindAsTyped() {
    // The match grows as the text does: search upward from just past where the last one began.
    const int end = pane_->document()->characterCount() - 1;
    QTextCursor from = pane_->textCursor();
    const int start = from.hasSelection() ? from.selectionStart() : end;
    from.setPosition(std::min(start + static_cast<int>(text_->text().size()), end));
    Select(FindFrom(from, true));
}

void FindBar::FindNext(bool upward) {
    if (text_->text().isEmpty()) return;
    Select(FindFrom(pane_->textCursor(), upward));
}

QTextCursor FindBar::FindFrom(const QTextCursor& from, bool upward) const {
    QTextDocument* document = pane_->document();
    const QTextCursor match = document->find(text_->text(), from, Flags(upward));
    if (!match.isNull()) return match;
    // Past the oldest or the newest line: round to the other end.
    return document->find(text_->text(), upward ? document->characterCount() - 1 : 0, Flags(upward));
}

void FindBar::Select(const QTextCursor& match) {
    if (!match.isNull() && !text_->text().isEmpty()) {
        pane_->setTextCursor(match);
        pane_->ensureCursorVisible();
    } else {
        QTextCursor none = pane_->textCursor();
        none.clearSelection();
        pane_->setTextCursor(none);
    }
    ShowCount();
}

void FindBar::ShowCount() {
    const QString wanted = text_->text();
    const QTextCursor current = pane_->textCursor();
    int total = 0;
    int index = 0;
    if (!wanted.isEmpty()) {
        QTextDocument* document = pane_->document();
        for (QTextCursor at = document->find(wanted, 0, Flags(false)); !at.isNull();
             at = document->find(wanted, at, Flags(false))) {
            ++total;
            if (current.hasSelection() && at.selectionStart() == current.selectionStart()) index = total;
        }
    }
    if (wanted.isEmpty())
        count_->clear();
    else if (total == 0)
        count_->setText(QStringLiteral("No matches"));
    else if (index == 0)
        count_->setText(total == 1 ? QStringLiteral("1 match") : QStringLiteral("%1 matches").arg(total));
    else
        count_->setText(QStringLiteral("%1 of %2").arg(index).arg(total));
}

} // namespace orv::ui
