#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Waits, from the event loop, for an application-modal message box to open and hands it to action,
// which must close it; gives up (and closes whatever is modal) after a few seconds.
class TModalBoxWatcher
{
public:
    explicit TModalBoxWatcher(std::function<void(QMessageBox *)> action) : FAction(std::move(action))
    {
        Poll(0);
    }

    bool Seen() const { return *FSeen; }

private:
    void Poll(int attempt)
    {
        QTimer::singleShot(10, [this, attempt, seen = FSeen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                *seen = true;
                FAction(box);
            } else if (attempt < 500) {
                Poll(attempt + 1);
            } else if (QWidget *modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
    }

    std::function<void(QMessageBox *)> FAction;
    std::shared_ptr<bool> FSeen = std::make_shared<bool>(false);
};
