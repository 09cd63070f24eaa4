#include "app/BuildProgressDialog.h"

#include <QProgressDialog>

#include <algorithm>
#include <limits>

namespace brisomel {

namespace {

constexpr int kShowAfterMilliseconds = 500;

int clampedCount(qsizetype count) {
    return static_cast<int>(std::clamp<qsizetype>(count, 0, std::numeric_limits<int>::max()));
}

} // namespace

BuildProgressDialog::BuildProgressDialog(QWidget* parent) : parent_(parent) {}

BuildProgressDialog::~BuildProgressDialog() = default;

void BuildProgressDialog::report(qsizetype done, qsizetype total) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(parent_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(kShowAfterMilliseconds);
    }
    dialog_->setLabelText(
        QStringLiteral("音声ファイルを読み込んでいます（%1 / %2）").arg(done).arg(total));
    dialog_->setMaximum(clampedCount(total));
    // A modal progress dialog handles pending events here, so it repaints; at the last file it
    // closes itself.
    dialog_->setValue(clampedCount(done));
}

void BuildProgressDialog::close() {
    dialog_.reset();
}

} // namespace brisomel
