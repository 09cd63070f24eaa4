#pragma once

class QCoreApplication;

namespace brisomel {

// Makes Qt's own texts Japanese like the rest of the application: the file dialogs, the standard
// buttons of message boxes, and the locale's dates and sizes in those dialogs. False when Qt's
// Japanese translations are not installed; its dialogs then stay in English.
bool installJapaneseQtTranslations(QCoreApplication& app);

} // namespace brisomel
