#pragma once

#include <QMainWindow>

class QSettings;

namespace brisomel {

class ContentView;

// The application's only window: the content view at its fixed size, under the menu bar.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Options come from the user's preferences store.
    explicit MainWindow(QWidget* parent = nullptr);
    // Options come from the given store, which must outlive the window.
    explicit MainWindow(QSettings* store, QWidget* parent = nullptr);

    ContentView* contentView() const { return contentView_; }

private:
    void setUp();
    void createFileMenu();
    void createEditMenu();
    void createWindowMenu();
    void createHelpMenu();
    void showAbout();

    ContentView* contentView_;
};

} // namespace brisomel
