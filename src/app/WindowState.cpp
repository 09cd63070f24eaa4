#include "app/WindowState.h"

namespace brisomel {

namespace {

// Assigns and tells the observers, unless nothing changes.
template <typename T, typename Signal>
void assign(WindowState* state, T& field, const T& value, Signal changed) {
    if (field == value) {
        return;
    }
    field = value;
    (state->*changed)(value);
}

} // namespace

void WindowState::setTimelineName(const QString& value) {
    assign(this, timelineName_, value, &WindowState::timelineNameChanged);
}

void WindowState::setFolderUrl(const QUrl& value) {
    if (folderUrl_ == value) {
        return;
    }
    folderUrl_ = value;
    emit folderUrlChanged(value);
}

void WindowState::setFolderName(const QString& value) {
    assign(this, folderName_, value, &WindowState::folderNameChanged);
}

void WindowState::setTextCount(const QString& value) {
    assign(this, textCount_, value, &WindowState::textCountChanged);
}

void WindowState::setSoundCount(const QString& value) {
    assign(this, soundCount_, value, &WindowState::soundCountChanged);
}

void WindowState::setSpeakerCount(const QString& value) {
    assign(this, speakerCount_, value, &WindowState::speakerCountChanged);
}

void WindowState::setLoadFailure(const QString& value) {
    assign(this, loadFailure_, value, &WindowState::loadFailureChanged);
}

} // namespace brisomel
