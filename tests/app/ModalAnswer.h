#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace brisomel::apptest {

// Answers the next modal dialog of type D from inside its event loop; the code under test opens
// it right after this call.
template <typename D> void answerModal(std::function<void(D*)> answer) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

} // namespace brisomel::apptest
