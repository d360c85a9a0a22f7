#pragma once

#include "session/Output.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>

class QPlainTextEdit;

namespace orv::ui {

// Keeps the output pane equal to the output model. Lines shown go only to the model; at most once
// a frame the pane is brought level with it in one edit: the surplus head cut and the new tail
// appended, or the whole text replaced when a quarter or more of the lines are new. The pane then
// follows its newest line, unless the find bar holds it or the player reads with the caret up.
// To a screen reader the pane is a terminal, and each frame tells it exactly what changed: the
// lines cut at the top and the lines added at the end, whichever way the text was rebuilt.
class OutputPane final : public QObject {
  public:
    // beforeSync runs at every catch-up (the log is flushed there, once a frame).
    OutputPane(QPlainTextEdit* pane, const orv::OutputBuffer& model, std::function<void()> beforeSync);

    // A line went into the model: the pane catches up at the next frame.
    void LineShown() {
        if (!frame_.isActive()) frame_.start();
    }
    // Makes the pane equal the model now. Everything that reads the pane calls it first.
    void Sync();
    // The model's lines [first, end) as the pane shows them, one block per line.
    QString Text(std::uint64_t first, std::uint64_t end) const;
    QString AllText() const { return Text(model_.FirstSeq(), model_.EndSeq()); }
    // Held, the view stays on the lines it shows while new ones arrive (the find bar is open);
    // released, the pane follows its newest line again.
    void HoldView(bool hold);
    // Runs after every catch-up that changed the pane.
    void OnSynced(std::function<void()> synced) { synced_ = std::move(synced); }

  private:
    // A place in the text as the model numbers it: the line and the column in it.
    struct Place {
        std::uint64_t Seq;
        int Column;
    };
    // A position in the pane as shown, and back; a line no longer shown maps to the start.
    Place PlaceOf(int position) const;
    int PositionOf(Place place) const;
    bool CaretAtEnd() const;
    // The view stays put: the find bar holds it, or the player has the caret up in the pane.
    bool Held() const;
    // Brings the newest line into view, wrapped lines included.
    void FollowEnd();

    QPlainTextEdit* pane_;
    const orv::OutputBuffer& model_;
    std::function<void()> beforeSync_, synced_;
    QTimer frame_;
    bool held_ = false;
    // The pane shows the model's lines [shownFirst_, shownEnd_).
    std::uint64_t shownFirst_ = 0;
    std::uint64_t shownEnd_ = 0;
};

} // namespace orv::ui
