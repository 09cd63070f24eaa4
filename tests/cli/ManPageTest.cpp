#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// What `pattern` captures in `text`, the whole match (group 0) or a group.
QSet<QString> captured(const QString& text, const QRegularExpression& pattern, int group = 1) {
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text)) {
        found.insert(match.captured(group));
    }
    return found;
}

// The option names a text mentions ("-o", "--fps", "--srt-crlf"), wherever they stand, and the
// ranges it states ("0 から 3600"); a dash inside a word ("brisomel-cli", "UTF-8") starts no name.
QSet<QString> optionNames(const QString& text) {
    static const QRegularExpression option(u"(?<![\\w-])--?[A-Za-z][\\w-]*|-?\\d+ から \\d+"_s);
    return captured(text, option, 0);
}

std::string listed(const QSet<QString>& names) {
    QStringList sorted(names.begin(), names.end());
    sorted.sort();
    return sorted.join(u' ').toStdString();
}

// The manual page's text as a reader sees it: no comments, no font changes, "\-" a plain dash.
QString manualText(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(u"^\\.\\\\\".*$"_s, QRegularExpression::MultilineOption));
    text.remove(QRegularExpression(u"\\\\f(\\[[^\\]]*\\]|\\(..|.)"_s));
    return text.replace(u"\\-"_s, u"-"_s);
}

QString helpText() {
    QProcess process;
    process.start(QStringLiteral(BRISOMEL_CLI_PATH), {u"--help"_s});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// The manual page is written by hand; this keeps it to the options the converter has.
TEST(ManPage, ListsExactlyTheOptionsAndRangesOfTheHelp) {
    const QSet<QString> help = optionNames(helpText());
    ASSERT_TRUE(help.contains(u"--fps"_s) && help.contains(u"-o"_s))
        << "the help lists no options: " << listed(help);
    const QSet<QString> manual = optionNames(manualText(QStringLiteral(BRISOMEL_MAN_PAGE)));
    EXPECT_EQ(listed(QSet(help).subtract(manual)), "") << "in the help, not in the manual page";
    EXPECT_EQ(listed(QSet(manual).subtract(help)), "") << "in the manual page, not in the help";
}

// The statuses of the help's last line ("終了コード: 0 成功、1 …") and of the manual page's
// section (".B 0" entries).
TEST(ManPage, ListsTheExitStatusesOfTheHelp) {
    const QString manual = manualText(QStringLiteral(BRISOMEL_MAN_PAGE));
    const QSet<QString> help =
        captured(helpText().section(u"終了コード:"_s, 1).section(u'\n', 0, 0),
                 QRegularExpression(u"(\\d+) "_s));
    ASSERT_TRUE(help.contains(u"2"_s)) << "the help names no statuses: " << listed(help);
    EXPECT_EQ(listed(captured(
                  manual.section(u".SH 終了ステータス"_s, 1).section(u"\n.SH"_s, 0, 0),
                  QRegularExpression(u"^\\.B (\\d+)$"_s, QRegularExpression::MultilineOption))),
              listed(help));
}
