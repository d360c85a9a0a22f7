#pragma once

#include <QTextDocument>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextCursor;

namespace orv::ui {

// The bar below the output pane that finds text in it: as the player types, upward through older
// text with Enter, downward with Shift+Enter, the match selected and scrolled into view and
// "n of m" shown. Escape closes it.
class FindBar final : public QWidget {
    Q_OBJECT

  public:
    FindBar(QPlainTextEdit* pane, QWidget* parent);
    // Shows the bar with the focus in its box, the text there selected.
    void Open();
    void Close();
    // Finds the next match upward (older text) or downward, from the match selected; wraps round.
    void FindNext(bool upward);
    // The pane's text changed: "n of m" is counted again while the bar is open.
    void Recount() {
        if (isVisible()) ShowCount();
    }

  signals:
    // The bar was shown or closed: the pane holds its view on the match, or follows its newest line.
    void OpenChanged(bool open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // As the player types: the nearest match upward from where the last one began.
    void FindAsTyped();
    // The next match from `from`, upward or downward, round the far end when there is none.
    QTextCursor FindFrom(const QTextCursor& from, bool upward) const;
    void Select(const QTextCursor& match);
    void ShowCount();
    QTextDocument::FindFlags Flags(bool upward) const;

    QPlainTextEdit* pane_;
    QLineEdit* text_;
    QCheckBox* matchCase_;
    QLabel* count_;
};

} // namespace orv::ui
