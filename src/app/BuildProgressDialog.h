#pragma once

#include <QtGlobal>

#include <memory>

class QProgressDialog;
class QWidget;

namespace brisomel {

// Shows how many audio files a build has read, in a modal progress dialog over the window. The
// dialog is made at the first report, so that it cannot appear while the save dialog is open,
// and only shows itself when the build takes a while.
class BuildProgressDialog {
public:
    explicit BuildProgressDialog(QWidget* parent);
    ~BuildProgressDialog();

    void report(qsizetype done, qsizetype total);
    // Closes the dialog before the build ends early, so it does not linger behind an alert.
    void close();

private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace brisomel
