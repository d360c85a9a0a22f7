#pragma once

#include <QAccessible>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

// The accessibility events sent while one of these lives, as a screen reader would get them; it
// turns accessibility on meanwhile, as a screen reader does, since widgets send only then.
class AccessibleEvents {
  public:
    struct Event {
        QAccessible::Event Type;
        const QObject* Object; // none for a row, which is named by Name
        QString Name;
        int Position; // of a text change or the caret
        QString Text; // removed or inserted
    };

    AccessibleEvents() {
        Log().clear();
        QAccessible::installUpdateHandler(&Record);
        Platform()->setActive(true);
    }
    ~AccessibleEvents() {
        Platform()->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
    }
    std::vector<Event> Of(const QObject* object, QAccessible::Event type) const {
        std::vector<Event> found;
        for (const Event& event : Log())
            if (event.Object == object && (type == QAccessible::InvalidEvent || event.Type == type))
                found.push_back(event);
        return found;
    }

  private:
    static QPlatformAccessibility* Platform() {
        return QGuiApplicationPrivate::platformIntegration()->accessibility();
    }
    static std::vector<Event>& Log() {
        static std::vector<Event> log;
        return log;
    }
    static void Record(QAccessibleEvent* event) {
        Event noted{event->type(), event->object(), {}, -1, {}};
        if (const QAccessibleInterface* own = QAccessible::accessibleInterface(event->uniqueId()))
            noted.Name = own->text(QAccessible::Name);
        if (event->type() == QAccessible::TextInserted) {
            const auto* text = static_cast<QAccessibleTextInsertEvent*>(event);
            noted.Position = text->changePosition(), noted.Text = text->textInserted();
        } else if (event->type() == QAccessible::TextRemoved) {
            const auto* text = static_cast<QAccessibleTextRemoveEvent*>(event);
            noted.Position = text->changePosition(), noted.Text = text->textRemoved();
        } else if (event->type() == QAccessible::TextCaretMoved) {
            noted.Position = static_cast<QAccessibleTextCursorEvent*>(event)->cursorPosition();
        }
        Log().push_back(noted);
    }
};
